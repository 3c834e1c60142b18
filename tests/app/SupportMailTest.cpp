#include "app/support/SupportMail.h"

#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SupportMail, LinkForTheApplicationNameOrApp)
{
    EXPECT_EQ(supportMailLink("help@example.org", "Quillmarrow"),
              "mailto:help@example.org?subject=Quillmarrow%20Support%20Request"
              "&body=Hello%20Quillmarrow%20Team,%0A%0AI%20need%20assistance%20with%20the%20following:%0A%0A");
    EXPECT_EQ(supportAppName(std::string("Quillmarrow")), "Quillmarrow");
    EXPECT_EQ(supportAppName(std::nullopt), "App");
    const std::string link = supportMailLink("a@b.c", supportAppName(std::nullopt));
    EXPECT_NE(link.find("subject=App%20Support%20Request&body=Hello%20App%20Team,"), std::string::npos) << link;
}

TEST(SupportMail, GivenSubjectKeepsQueryCharactersButNotFieldSeparators)
{
    EXPECT_NE(supportMailLink("a@b.c", "X", std::string("Why? a/b")).find("subject=Why?%20a/b&body="),
              std::string::npos);

    // A name holding "&", "=" or "+" cannot add header fields to the mail.
    const std::string tricky = supportMailLink("a@b.c", "A&cc=x@evil.test+1");
    const QUrlQuery query(QUrl(QString::fromStdString(tricky)).query(QUrl::FullyEncoded));
    EXPECT_FALSE(query.hasQueryItem("cc"));
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded).size(), 2);
    EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "A&cc=x@evil.test+1 Support Request");
    EXPECT_TRUE(QUrl(QString::fromStdString(tricky), QUrl::StrictMode).isValid());
}

TEST(SupportMail, TheAddressStaysOneAddressWhateverItHolds)
{
    for (const std::string address :
         {"help@example.org", "first.last+tag@example.org", "help desk?cc=x@evil.test&bcc=y@evil.test",
          "a@b.c,victim@evil.test", "a@b.c#frag", "100%@b.c", "caf\xC3\xA9@example.org"}) {
        const std::string link = supportMailLink(address, "Q");
        const QUrl url(QString::fromStdString(link), QUrl::StrictMode);
        ASSERT_TRUE(url.isValid()) << link;
        EXPECT_EQ(url.scheme(), "mailto");
        EXPECT_EQ(url.path(QUrl::FullyDecoded).toStdString(), address) << link;
        EXPECT_EQ(url.path(QUrl::FullyEncoded).count(u','), 0) << link; // no second address
        const QUrlQuery query(url.query(QUrl::FullyEncoded));
        EXPECT_EQ(query.queryItems().size(), 2) << link;
        EXPECT_EQ(query.queryItemValue("subject", QUrl::FullyDecoded), "Q Support Request") << link;
        EXPECT_TRUE(url.fragment().isEmpty()) << link;
    }
    EXPECT_EQ(supportMailLink("first.last+tag@example.org", "Q").substr(0, 34), "mailto:first.last+tag@example.org?");
}

} // namespace
} // namespace qm
