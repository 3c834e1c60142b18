#include "app/paths/DisplayText.h"

#include <QUrl>

namespace qm {

namespace {

bool breaksLines(char16_t c)
{
    switch (c) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029':
        return true;
    default:
        return false;
    }
}

// A character that shows nothing of itself or changes how the text around
// it is shown: controls, formatting marks (among them the marks, embeddings,
// overrides and isolates of text direction) and line or paragraph breaks.
bool invisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

QString displayLink(const QUrl& url)
{
    // The scheme and the host as sent on the wire, then the rest as it reads.
    return url.toString(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                        QUrl::FullyEncoded) +
           displayLinkText(url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::PrettyDecoded));
}

QString displayLinkText(const QString& text)
{
    QString shown;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        shown += invisible(c) ? QString::fromLatin1(character.toUtf8().toPercentEncoding()) : character;
    }
    return shown;
}

QString displayText(std::string_view bytes)
{
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    for (QChar& c : text) {
        if (breaksLines(c.unicode()))
            c = QChar(0x21B5);
        else if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7F)
            c = QChar(0x2421);
    }
    return text;
}

} // namespace qm
