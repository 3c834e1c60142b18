#include "app/opening/OpenPanel.h"

#include "app/paths/LocalPath.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace qm {

namespace {

QList<QAbstractItemView*> fileViews(const QFileDialog& dialog)
{
    QList<QAbstractItemView*> views;
    for (auto* view : dialog.findChildren<QAbstractItemView*>()) {
        if (view->objectName() == u"listView" || view->objectName() == u"treeView")
            views << view;
    }
    return views;
}

} // namespace

OpenPanel::OpenPanel(QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);
    setOption(QFileDialog::ReadOnly, false); // keeps "Create New Folder"
    for (auto* view : fileViews(*this))
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Folders may be chosen too, so "Open" stays available whatever is selected.
    if (auto* box = findChild<QDialogButtonBox*>()) {
        if (QPushButton* open = box->button(QDialogButtonBox::Open)) {
            auto keepEnabled = [open] { open->setEnabled(true); };
            for (auto* view : fileViews(*this)) {
                if (view->selectionModel())
                    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, open, keepEnabled,
                            Qt::QueuedConnection);
            }
            if (auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                connect(edit, &QLineEdit::textChanged, open, keepEnabled, Qt::QueuedConnection);
            connect(this, &QFileDialog::directoryEntered, open, keepEnabled, Qt::QueuedConnection);
            open->setEnabled(true);
        }
    }
}

void OpenPanel::accept()
{
    QStringList chosen;
    for (auto* view : fileViews(*this)) {
        if (!view->isVisible() && !chosen.isEmpty())
            continue;
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        if (!model || !view->selectionModel())
            continue;
        QModelIndexList rows = view->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        for (const QModelIndex& row : rows) {
            const QString path = model->filePath(row);
            if (!chosen.contains(path))
                chosen << path;
        }
        if (!chosen.isEmpty())
            break;
    }
    if (chosen.isEmpty()) {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString typed = edit ? edit->text().trimmed() : QString();
        if (!typed.isEmpty()) {
            const QString path = QDir::cleanPath(QDir(directory()).absoluteFilePath(typed));
            if (!existsOnDisk(pathOnDisk(path)))
                return; // nothing there: stay open
            chosen << path;
        } else {
            chosen << directory().absolutePath();
        }
    }
    urls_.clear();
    for (const QString& path : chosen) {
        // A name that is not UTF-8 can only be typed, with U+FFFD standing for
        // its odd bytes (Qt lists no such entries): find the entry it stands
        // for, or else let the counting core report it.
        const QByteArray onDisk = pathOnDisk(path);
        urls_ << fileUrl(onDisk.isEmpty() ? QFile::encodeName(path) : onDisk);
    }
    done(QDialog::Accepted);
}

std::optional<QList<QUrl>> OpenPanel::run(QWidget* parent)
{
    OpenPanel panel(parent);
    if (panel.exec() != QDialog::Accepted)
        return std::nullopt;
    return panel.urls();
}

} // namespace qm
