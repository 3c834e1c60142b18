#pragma once

#include "app/lifecycle/AppDelegate.h"

#include <QByteArrayList>
#include <QSize>

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

    // The menu commands, each with its mnemonic (F10 opens the first menu):
    // the application menu (about, the update item, quit), File with "Open…"
    // (the "+" button's action) and no new-window item, the sidebar command,
    // and a Help menu holding only "Contact Support".
    void buildCommands(QMainWindow& window);

    // The window's first size: what it wants, within nine tenths of the
    // screen's available area, which leaves room for its frame and title bar.
    static QSize firstWindowSize(QSize wanted, QSize available);

    // Process entry: runs the application and returns its exit code.
    static int main(int argc, char* argv[]);

private:
    std::unique_ptr<AppDelegate> appDelegate_;
    std::unique_ptr<QMainWindow> window_;
};

} // namespace qm
