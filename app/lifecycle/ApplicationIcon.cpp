#include "app/lifecycle/ApplicationIcon.h"

#include <QDir>
#include <QFileInfo>

namespace qm {

QIcon applicationIcon(const kit::Bundle& bundle, const QString& appId)
{
    // The pictures, not the drawing: reading SVG needs an image plugin that
    // a plain Qt installation may lack.
    QIcon icon;
    const QDir theme(QString::fromStdString(bundle.root()) + QStringLiteral("/share/icons/hicolor"));
    for (const QString& size : theme.entryList({QStringLiteral("*x*")}, QDir::Dirs, QDir::Name)) {
        const QString picture = theme.filePath(size + QStringLiteral("/apps/") + appId + QStringLiteral(".png"));
        if (QFileInfo::exists(picture))
            icon.addFile(picture);
    }
    return icon;
}

} // namespace qm
