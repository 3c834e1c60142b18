#include "app/screens/ProjectConfigurationSheet.h"

#include "core/Project.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

ProjectConfigurationSheet::ProjectConfigurationSheet(Binding<bool> isPresented, std::shared_ptr<Project> project,
                                                     std::function<void()> onSave, QWidget* parent)
    : QDialog(parent), isPresented_(std::move(isPresented)), project_(std::move(project)), onSave_(std::move(onSave))
{
    setWindowTitle(QStringLiteral("Settings"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(300, 300);

    excludeExtensions_ = new QLineEdit(QString::fromStdString(project_->ignoreExtensions), this);
    excludeExtensions_->setPlaceholderText(QStringLiteral("Extensions to ignore (comma-separated)"));
    excludeExtensions_->setClearButtonEnabled(true);
    ignoreMinified_ = new QCheckBox(QStringLiteral("Ignore minified files"), this);
    ignoreMinified_->setChecked(project_->ignoreMinified);
    ignoreGenerated_ = new QCheckBox(QStringLiteral("Ignore generated files"), this);
    ignoreGenerated_->setChecked(project_->ignoreGenerated);
    omitDuplicates_ = new QCheckBox(QStringLiteral("Omit duplicates"), this);
    omitDuplicates_->setChecked(project_->omitDuplicates);
    save_ = new QPushButton(QStringLiteral("Save settings"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    // Return saves (Escape cancels), but on a button that has the focus,
    // which it presses.
    save_->setDefault(true);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addStretch(1);
    layout->addWidget(excludeExtensions_);
    layout->addWidget(ignoreMinified_);
    layout->addWidget(ignoreGenerated_);
    layout->addWidget(omitDuplicates_);
    layout->addStretch(1);
    layout->addWidget(divider);
    layout->addLayout(buttons);

    connect(save_, &QPushButton::clicked, this, &ProjectConfigurationSheet::saveSettings);
    connect(cancel_, &QPushButton::clicked, this, &ProjectConfigurationSheet::cancel);
}

void ProjectConfigurationSheet::saveSettings()
{
    if (closing_)
        return;
    closing_ = true;
    project_->ignoreExtensions = excludeExtensions_->text().toStdString();
    project_->ignoreMinified = ignoreMinified_->isChecked();
    project_->ignoreGenerated = ignoreGenerated_->isChecked();
    project_->omitDuplicates = omitDuplicates_->isChecked();
    isPresented_.set(false);
    QDialog::accept();
    if (onSave_)
        onSave_();
}

void ProjectConfigurationSheet::cancel()
{
    if (closing_)
        return;
    closing_ = true;
    isPresented_.set(false);
    QDialog::reject();
}

void ProjectConfigurationSheet::reject()
{
    cancel();
}

} // namespace qm
