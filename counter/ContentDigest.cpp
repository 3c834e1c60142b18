#include "counter/ContentDigest.h"

#include <new>

#include <openssl/evp.h>

namespace qm::counter {

namespace {

// The implementation is looked up once: a lookup for each file would take a lock each time.
const EVP_MD* sha256()
{
    static EVP_MD* const md = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    if (!md)
        throw std::bad_alloc();
    return md;
}

} // namespace

ContentDigest::ContentDigest() : context_(EVP_MD_CTX_new())
{
    if (!context_)
        throw std::bad_alloc();
    start();
}

ContentDigest::~ContentDigest()
{
    EVP_MD_CTX_free(context_);
}

void ContentDigest::start()
{
    if (EVP_DigestInit_ex2(context_, sha256(), nullptr) != 1)
        throw std::bad_alloc();
}

void ContentDigest::add(std::string_view bytes)
{
    if (!bytes.empty() && EVP_DigestUpdate(context_, bytes.data(), bytes.size()) != 1)
        throw std::bad_alloc();
}

Digest ContentDigest::finish()
{
    Digest digest{};
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(context_, digest.data(), &size) != 1 || size != digest.size())
        throw std::bad_alloc();
    return digest;
}

} // namespace qm::counter
