#include "app/screens/SplashScreen.h"

#include "app/languages/HexColor.h"
#include "app/opening/OpenPanel.h"
#include "app/opening/ProjectOpening.h"
#include "app/screens/SplashBlobs.h"
#include "app/widgets/BusyIndicator.h"
#include "app/widgets/Symbols.h"

#include <QAbstractButton>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace qm {

const SplashScreen::Layer SplashScreen::kLayers[4] = {{640, 420, 0.1},
                                                      {580, 420, 0.3},
                                                      {480, 390, 0.6},
                                                      {420, 360, 1.0}};

namespace {

// The blob area: takes dropped files and folders, and the keyboard focus,
// with a white frame around the symbol and texts: Return, Enter or Space press it
// as a click on them does. Screen readers find it as the button it acts as.
// The mouse presses only the symbol and the texts (the tap target), never
// the blobs around them.
class DropArea : public QAbstractButton {
public:
    explicit DropArea(QWidget* parent) : QAbstractButton(parent)
    {
        setFocusPolicy(Qt::TabFocus);
        setAcceptDrops(true);
        // A button's children take the button's text colour unless told
        // otherwise; the texts here are drawn in their own.
        setBackgroundRole(QPalette::Window);
    }

    // What the focus frame goes around.
    QWidget* framed = nullptr;

protected:
    bool hitButton(const QPoint&) const override { return false; }
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
            click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent*) override
    {
        if (!hasFocus() || !framed || framed->isHidden())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        // In the texts' white: the highlight colour hardly shows on the blob.
        painter.setPen(QPen(hexQColor("#FFFFFF"), 2));
        painter.drawRoundedRect(QRectF(framed->geometry()).adjusted(-6, -6, 6, 6), 10, 10);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QAbstractButton::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QAbstractButton::focusOutEvent(event);
        update();
    }
    void dragEnterEvent(QDragEnterEvent* event) override { acceptFileDrag(event); }
    void dragMoveEvent(QDragMoveEvent* event) override { acceptFileDrag(event); }
    void dropEvent(QDropEvent* event) override { handleFileDrop(event); }
};

// The symbol and the texts: a click opens the panel.
class TapTarget : public QWidget {
public:
    TapTarget(std::function<void()> tap, QWidget* parent) : QWidget(parent), tap_(std::move(tap))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { pressed_ = event->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            tap_();
        pressed_ = false;
    }

private:
    std::function<void()> tap_;
    bool pressed_ = false;
};

QLabel* text(const QString& content, const char* color, int size, QWidget* parent)
{
    auto* label = new QLabel(content, parent);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(size);
    font.setWeight(QFont::Normal);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, hexQColor(color));
    label->setPalette(p);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

SplashScreen::SplashScreen(QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    auto* dropArea = new DropArea(this);
    dropArea_ = dropArea;
    dropArea_->setFixedSize(kLayers[0].width, kLayers[0].height);
    dropArea_->setAccessibleName(QStringLiteral("Drop your code here"));
    dropArea_->setAccessibleDescription(QStringLiteral("It may be one or more valid project folder or files"));
    setFocusProxy(dropArea_);
    connect(dropArea, &QAbstractButton::clicked, this, [this] {
        if (!progressCircle_)
            openPanel();
    });
    outer->addWidget(dropArea_, 0, Qt::AlignCenter);

    // The blobs may bulge past their frames; their host has room for that
    // behind the drop area, centred on it.
    blobs_ = makeSplashBlobs(this);
    blobs_->lower();

    tapTarget_ = new TapTarget([this] { openPanel(); }, dropArea_);
    dropArea->framed = tapTarget_;
    auto* column = new QVBoxLayout(tapTarget_);
    column->setContentsMargins(0, 0, 0, 0);
    auto* symbol = new QLabel(tapTarget_);
    symbol->setPixmap(
        symbolPixmap(QStringLiteral("folder.badge.plus"), 90, hexQColor("#FAB8FF"), hexQColor("#FFFFFF")));
    symbol->setAlignment(Qt::AlignCenter);
    symbol->setContentsMargins(5, 5, 5, 5);
    symbol->setAttribute(Qt::WA_TransparentForMouseEvents);
    symbol->setObjectName(QStringLiteral("symbol"));
    column->addWidget(symbol);
    column->addWidget(text(QStringLiteral("Drop your code here"), "#FFFFFF", 30, tapTarget_));
    auto* small = new QWidget(tapTarget_);
    small->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* smallColumn = new QVBoxLayout(small);
    smallColumn->setContentsMargins(5, 5, 5, 5);
    smallColumn->addWidget(
        text(QStringLiteral("It may be one or more valid project folder or files"), "#EEEEEE", 10, small));
    smallColumn->addWidget(text(QStringLiteral("(and you can always add more later!)"), "#EEEEEE", 10, small));
    column->addWidget(small);
    tapTarget_->adjustSize();
    tapTarget_->move((dropArea_->width() - tapTarget_->width()) / 2, (dropArea_->height() - tapTarget_->height()) / 2);
    tapTarget_->raise();

    // The progress circle: a spinner over the caption "Processing" in the
    // secondary colour, both twice their usual size.
    progress_ = new QWidget(dropArea_);
    progress_->setAccessibleName(QStringLiteral("Processing"));
    auto* progressColumn = new QVBoxLayout(progress_);
    progressColumn->setContentsMargins(0, 0, 0, 0);
    progressColumn->addWidget(new BusyIndicator(2 * 20, progress_), 0, Qt::AlignHCenter);
    auto* caption = new QLabel(QStringLiteral("Processing"), progress_);
    QFont captionFont = caption->font();
    captionFont.setPixelSize(2 * 10);
    caption->setFont(captionFont);
    QPalette secondary = caption->palette();
    QColor grey = secondary.color(QPalette::WindowText);
    grey.setAlphaF(0.5);
    secondary.setColor(QPalette::WindowText, grey);
    caption->setPalette(secondary);
    progressColumn->addWidget(caption, 0, Qt::AlignHCenter);
    progress_->adjustSize();
    progress_->move((dropArea_->width() - progress_->width()) / 2, (dropArea_->height() - progress_->height()) / 2);
    progress_->hide();
}

void SplashScreen::setProgressCircle(bool shown)
{
    if (progressCircle_ == shown)
        return;
    progressCircle_ = shown;
    tapTarget_->setVisible(!shown);
    progress_->setVisible(shown);
    dropArea_->update(); // the focus frame goes with the tap target
    if (shown)
        progress_->raise();
}

void SplashScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout()->activate();
    blobs_->setGeometry(dropArea_->geometry().adjusted(-kBlobMargin, -kBlobMargin, kBlobMargin, kBlobMargin));
}

void SplashScreen::openPanel()
{
    if (const auto urls = OpenPanel::run(window()))
        addProjectsFromURLs(*urls);
}

} // namespace qm
