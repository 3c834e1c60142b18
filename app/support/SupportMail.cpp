#include "app/support/SupportMail.h"

#include <QByteArray>

#ifndef QM_SUPPORT_EMAIL
#define QM_SUPPORT_EMAIL "support@quillmarrow.app"
#endif

namespace qm {

namespace {

// Query-safe characters, less the ones that separate query fields.
const QByteArray kKeptAsIs = "-._~!$'()*,/:;?@";

// Address characters kept as they are: the rest ("?", "&", "#", ",", "%",
// spaces...) could end the address, add one, or start the query.
const QByteArray kKeptInAddress = "-._~@+!$'*=";

std::string encodeQueryText(const std::string& text)
{
    return QByteArray::fromStdString(text).toPercentEncoding(kKeptAsIs).toStdString();
}

std::string encodeAddress(const std::string& address)
{
    return QByteArray::fromStdString(address).toPercentEncoding(kKeptInAddress).toStdString();
}

} // namespace

std::string supportAppName(const std::optional<std::string>& bundleName)
{
    return bundleName ? *bundleName : std::string("App");
}

std::string supportMailLink(const std::string& address, const std::string& appName,
                            const std::optional<std::string>& subject)
{
    const std::string theSubject = subject ? *subject : appName + " Support Request";
    const std::string body = "Hello " + appName + " Team,\n\nI need assistance with the following:\n\n";
    return "mailto:" + encodeAddress(address) + "?subject=" + encodeQueryText(theSubject) +
           "&body=" + encodeQueryText(body);
}

std::string supportEmailAddress()
{
    return QM_SUPPORT_EMAIL;
}

} // namespace qm
