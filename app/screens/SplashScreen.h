#pragma once

#include <QWidget>

class QLabel;

namespace qm {

// The empty-state screen: four stacked, slowly morphing blobs with a folder
// symbol and three lines of text. A click on the symbol or the texts opens
// the open panel; a file or folder dropped on the blobs is added. The blob
// area takes the keyboard focus (the screen hands it there), with a frame
// around the symbol and texts; Return, Enter or Space open the panel.
class SplashScreen : public QWidget {
    Q_OBJECT

public:
    explicit SplashScreen(QWidget* parent = nullptr);

    // The blob area: a button for the keyboard and screen readers.
    QWidget* dropArea() const { return dropArea_; }
    QWidget* tapTarget() const { return tapTarget_; }
    QWidget* blobs() const { return blobs_; }

    // While set, a spinning circle labelled "Processing" stands in place of
    // the symbol and texts (the application sets it while the first count
    // of a folder runs). False when the screen is built.
    bool progressCircle() const { return progressCircle_; }
    void setProgressCircle(bool shown);
    QWidget* progressView() const { return progress_; }

    // The tap action: the open panel, then the chosen items are added.
    void openPanel();

    // The four blob frames (width, height) and opacities, back to front.
    struct Layer {
        int width;
        int height;
        double opacity;
    };
    static const Layer kLayers[4];
    // Room around the drop area for blobs that bulge past their frames.
    static constexpr int kBlobMargin = 60;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* dropArea_;
    QWidget* blobs_;
    QWidget* tapTarget_;
    QWidget* progress_;
    bool progressCircle_ = false;
};

} // namespace qm
