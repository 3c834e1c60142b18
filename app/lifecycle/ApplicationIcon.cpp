#include "app/lifecycle/ApplicationIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace qm {

namespace {

// The theme's pictures of the icon, each read only when a size it serves
// best is asked for. Reading every picture at once takes tens of
// milliseconds at start on a slow machine, where a window under Wayland
// never shows the icon and one under X reads the sizes it sends when it is
// shown. Asked for a size, the icon takes the smallest picture at least as
// large, or the largest; a picture that cannot be read gives way to the
// next best.
class PicturesIconEngine : public QIconEngine {
public:
    // `pictures` by size, smallest first.
    explicit PicturesIconEngine(std::vector<std::pair<QSize, QString>> pictures)
        : pictures_(std::move(pictures)), read_(pictures_.size())
    {
    }

    // Sizes here are in device pixels: QIcon scales a size by the pixel
    // ratio before it asks, and sets the ratio on what it is given.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1;
        const QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        if (!shown.isNull())
            painter->drawPixmap(rect, shown);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QIcon* icon = best(size);
        return icon ? icon->pixmap(size, 1.0, mode, state) : QPixmap();
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QIcon* icon = best(size);
        if (!icon)
            return QSize();
        // The picture's own size, shrunk to fit: a picture is never enlarged.
        QSize actual = icon->availableSizes().value(0);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const auto& picture : pictures_)
            sizes << picture.first;
        return sizes;
    }

    bool isNull() override { return pictures_.empty(); }
    QString key() const override { return QStringLiteral("quillmarrow-pictures"); }
    QIconEngine* clone() const override { return new PicturesIconEngine(pictures_); }

private:
    // The picture for `size`, read now if it was not: the smallest at least
    // as large, then the larger ones, then the smaller ones, largest first.
    const QIcon* best(QSize size)
    {
        const auto n = pictures_.size();
        std::size_t first = 0;
        while (first < n &&
               (pictures_[first].first.width() < size.width() || pictures_[first].first.height() < size.height()))
            ++first;
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = first + k < n ? first + k : n - 1 - k;
            if (!read_[i]) {
                // Read whole now (an icon made from the file may read it only
                // when drawn, and so take a missing or broken one as read).
                const QPixmap picture(pictures_[i].second);
                read_[i] = picture.isNull() ? QIcon() : QIcon(picture);
            }
            if (!read_[i]->isNull())
                return &*read_[i];
        }
        return nullptr;
    }

    std::vector<std::pair<QSize, QString>> pictures_;
    std::vector<std::optional<QIcon>> read_;
};

// The size a theme folder is named for, "<w>x<h>"; invalid for any other name.
QSize folderSize(const QString& name)
{
    const QStringList parts = name.split(u'x');
    bool wide = false, high = false;
    const QSize size = parts.size() == 2 ? QSize(parts[0].toInt(&wide), parts[1].toInt(&high)) : QSize();
    return wide && high && size.width() > 0 && size.height() > 0 ? size : QSize();
}

} // namespace

QIcon applicationIcon(const kit::Bundle& bundle, const QString& appId)
{
    // The pictures, not the drawing: reading SVG needs an image plugin that
    // a plain Qt installation may lack.
    std::vector<std::pair<QSize, QString>> pictures;
    const QDir theme(QString::fromStdString(bundle.root()) + QStringLiteral("/share/icons/hicolor"));
    for (const QString& folder : theme.entryList({QStringLiteral("*x*")}, QDir::Dirs)) {
        const QString picture = theme.filePath(folder + QStringLiteral("/apps/") + appId + QStringLiteral(".png"));
        if (const QSize size = folderSize(folder); size.isValid() && QFileInfo::exists(picture))
            pictures.emplace_back(size, picture);
    }
    if (pictures.empty())
        return QIcon();
    std::sort(pictures.begin(), pictures.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.width(), a.first.height()) < std::pair(b.first.width(), b.first.height());
    });
    return QIcon(new PicturesIconEngine(std::move(pictures)));
}

} // namespace qm
