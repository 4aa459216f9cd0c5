#include "Kestrow/Editor/ImageZoom.hpp"

#include "Kestrow/Editor/SourceImageView.hpp"

namespace Kestrow {

void ImageZoom::zoom(double factor)
{
    if (view_)
        view_->zoomBy(factor);
}

void ImageZoom::fit()
{
    if (view_)
        view_->fitToWidth();
}

}  // namespace Kestrow
