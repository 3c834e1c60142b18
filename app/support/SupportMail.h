#pragma once

#include <optional>
#include <string>

namespace qm {

// The name the support mail uses for the application ("App" when unknown).
std::string supportAppName(const std::optional<std::string>& bundleName);

// The "mailto:" link of a support request. The address is percent-encoded
// but for the characters an address plainly holds, so whatever it holds
// stays one address; the subject and the body are percent-encoded as URL
// query text; "&", "=" and "+" are encoded too, so a name holding them
// cannot add header fields to the mail.
std::string supportMailLink(const std::string& address, const std::string& appName,
                            const std::optional<std::string>& subject = std::nullopt);

// The address support requests go to.
std::string supportEmailAddress();

} // namespace qm
