#pragma once

#include "app/AppDelegate.h"

#include <QByteArrayList>

#include <memory>

class QMainWindow;
class QMenuBar;

namespace qm {

class CheckForUpdatesMenuItem;

// The application: installs the delegate, opens the one main window around
// a ContentView and builds the menu commands.
class QuillmarrowApp {
public:
    QuillmarrowApp();
    ~QuillmarrowApp();

    AppDelegate& appDelegate() const { return *appDelegate_; }
    QMainWindow* window() const { return window_.get(); }

    // Opens the window and finishes launching; `paths` (the bytes the
    // system gave) are opened as if the system had asked for them.
    void launch(const QByteArrayList& paths);

    // The menu commands: the application menu (about, the update item,
    // quit), File without a new-window item, the sidebar command, and a Help
    // menu holding only "Contact Support".
    void buildCommands(QMainWindow& window);

    // Process entry: runs the application and returns its exit code.
    static int main(int argc, char* argv[]);

private:
    std::unique_ptr<AppDelegate> appDelegate_;
    std::unique_ptr<QMainWindow> window_;
};

} // namespace qm
