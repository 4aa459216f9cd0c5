#pragma once

#include <QPointer>

#include <functional>

namespace Kestrow {

class SourceImageView;

// The zoom controls' handle on a source pane. The window makes it before the pane and keeps
// it; requests before the pane exists or after it is gone do nothing.
class ImageZoom {
public:
    // Multiplies the magnification, keeping the middle of the pane in the middle.
    void zoom(double factor);
    // Fits the image to the pane's width, never above 100 %.
    void fit();

    SourceImageView* view() const { return view_; }

private:
    friend class SourceImageView;
    QPointer<SourceImageView> view_;
};

}  // namespace Kestrow
