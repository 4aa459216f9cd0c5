// Shows a picture in a frameless scrolling window, as a long table in a document viewer.
// Usage: scroll-view PICTURE X Y WIDTH HEIGHT STEP   (one wheel notch scrolls STEP pixels)
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>

#include <cstdio>

namespace {

// Says when the picture is first on screen: a capture before that would see a blank window.
class Picture final : public QLabel {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!painted_) {
            painted_ = true;
            std::fprintf(stderr, "painted\n");
            std::fflush(stderr);
        }
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 7) {
        std::fprintf(stderr, "usage: scroll-view PICTURE X Y WIDTH HEIGHT STEP\n");
        return 2;
    }
    const QPixmap picture(args[1]);
    if (picture.isNull()) {
        std::fprintf(stderr, "scroll-view: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    QApplication::setWheelScrollLines(1);
    QScrollArea view;
    view.setWindowTitle(QStringLiteral("Long table"));
    view.setWindowFlags(Qt::FramelessWindowHint);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* label = new Picture;
    label->setPixmap(picture);
    label->setFixedSize(picture.size());
    label->setContentsMargins(0, 0, 0, 0);
    view.setWidget(label);
    view.verticalScrollBar()->setSingleStep(args[6].toInt());
    view.setGeometry(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    view.show();
    // Tell the test where the view stands after each scroll.
    QObject::connect(view.verticalScrollBar(), &QScrollBar::valueChanged, [](int value) {
        std::fprintf(stderr, "scrolled %d\n", value);
        std::fflush(stderr);
    });
    return QApplication::exec();
}
