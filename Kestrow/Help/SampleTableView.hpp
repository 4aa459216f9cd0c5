#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace Kestrow {

class SamplePicture;

// A practice target for new users: the sample table's picture, a line telling how to
// capture it, and a button that starts a capture.
class SampleTableView : public QWidget {
    Q_OBJECT
public:
    // folder: where the pictures are (SampleTable::folder() by default); none leaves the picture out.
    SampleTableView(std::function<void()> onCapture, QStringList shortcutKeys, bool dark,
                    std::optional<QString> folder, QWidget* parent = nullptr);

    // The capture shortcut changed while the window is open.
    void setShortcutKeys(const QStringList& keys);
    // The colour scheme changed: redraws with the other palette and picture.
    void setDark(bool dark);

    QString hintText() const;
    QPushButton* captureButton() const { return button_; }
    // The picture shown (null when there is none).
    QImage picture() const;

private:
    void applyScheme();

    std::function<void()> onCapture_;
    std::optional<QString> folder_;
    bool dark_ = false;
    QLabel* icon_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* button_ = nullptr;
    SamplePicture* picture_ = nullptr;
};

}  // namespace Kestrow
