#include "Kestrow/Platform/ClipboardWriter.hpp"

#include <QClipboard>
#include <QGuiApplication>

namespace Kestrow {

void SystemClipboardWriter::setMimeData(std::unique_ptr<QMimeData> data)
{
    // The clipboard takes ownership.
    QGuiApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
}

bool SystemClipboardWriter::hasImage() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && data->hasImage();
}

QImage SystemClipboardWriter::image() const
{
    return QGuiApplication::clipboard()->image(QClipboard::Clipboard);
}

QImage FakeClipboardWriter::image() const
{
    if (!hasImage())
        return {};
    return qvariant_cast<QImage>(data_->imageData());
}

}  // namespace Kestrow
