#pragma once

#include <QFileDialog>
#include <QList>
#include <QUrl>

#include <optional>

namespace qm {

// The open dialog of the application: picks several files and folders at
// once, allows creating folders, and is confirmed by its "Open" button. With
// nothing selected it chooses the folder it shows.
class OpenPanel : public QFileDialog {
    Q_OBJECT

public:
    explicit OpenPanel(QWidget* parent = nullptr);

    // The chosen items, in the order they are listed, once accepted.
    const QList<QUrl>& urls() const { return urls_; }

    // Runs the panel modally: the chosen URLs, or nothing when cancelled.
    static std::optional<QList<QUrl>> run(QWidget* parent);

public slots:
    void accept() override;

private:
    QList<QUrl> urls_;
};

} // namespace qm
