#include "app/Symbols.h"

#include <QApplication>
#include <QStyle>

namespace qm {

QIcon symbolIcon(const QString& name, const QColor&)
{
    QStyle* style = QApplication::style();
    if (name.startsWith(u"folder"))
        return style->standardIcon(QStyle::SP_DirIcon);
    if (name == u"chevron.left")
        return style->standardIcon(QStyle::SP_ArrowLeft);
    if (name == u"chevron.right")
        return style->standardIcon(QStyle::SP_ArrowRight);
    if (name == u"arrow.clockwise")
        return style->standardIcon(QStyle::SP_BrowserReload);
    if (name == u"plus.circle")
        return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    if (name == u"minus.circle")
        return style->standardIcon(QStyle::SP_DialogDiscardButton);
    if (name == u"sidebar.leading")
        return style->standardIcon(QStyle::SP_FileDialogListView);
    if (name == u"wrench.and.screwdriver.fill")
        return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    return style->standardIcon(QStyle::SP_FileIcon);
}

} // namespace qm
