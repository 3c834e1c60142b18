#include "kit/ui/Transaction.h"

#include <vector>

namespace kit {

namespace {

std::vector<Transaction>& stack()
{
    static std::vector<Transaction> transactions;
    return transactions;
}

} // namespace

Transaction Transaction::current()
{
    return stack().empty() ? Transaction{} : stack().back();
}

void withTransaction(const Transaction& transaction, const std::function<void()>& body)
{
    stack().push_back(transaction);
    struct Pop {
        ~Pop() { stack().pop_back(); }
    } pop;
    body();
}

void withAnimation(std::optional<Animation> animation, const std::function<void()>& body)
{
    withTransaction(Transaction{animation, false}, body);
}

void withAnimation(const std::function<void()>& body)
{
    withAnimation(Animation::defaultAnimation(), body);
}

} // namespace kit
