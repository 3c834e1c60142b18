#pragma once

#include "app/screens/Binding.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qm {

class Project;

// The sheet in which the user edits a project's counting options. It edits
// copies taken when it opens: "Save settings" (the default button, which
// Return presses unless the focus is on "Cancel") writes them into the project, closes the sheet and runs
// `onSave`; "Cancel" (also Escape or the window's close button) closes it
// and changes nothing.
class ProjectConfigurationSheet : public QDialog {
    Q_OBJECT

public:
    ProjectConfigurationSheet(Binding<bool> isPresented, std::shared_ptr<Project> project, std::function<void()> onSave,
                              QWidget* parent = nullptr);

    QLineEdit* extensionsField() const { return excludeExtensions_; }
    QCheckBox* minifiedSwitch() const { return ignoreMinified_; }
    QCheckBox* generatedSwitch() const { return ignoreGenerated_; }
    QCheckBox* duplicatesSwitch() const { return omitDuplicates_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }

    void saveSettings();
    void cancel();

public slots:
    void reject() override;

private:
    Binding<bool> isPresented_;
    std::shared_ptr<Project> project_;
    std::function<void()> onSave_;
    QLineEdit* excludeExtensions_;
    QCheckBox* ignoreMinified_;
    QCheckBox* ignoreGenerated_;
    QCheckBox* omitDuplicates_;
    QPushButton* save_;
    QPushButton* cancel_;
    bool closing_ = false;
};

} // namespace qm
