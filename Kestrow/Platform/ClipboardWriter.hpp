#pragma once

#include <QImage>
#include <QMimeData>

#include <memory>

namespace Kestrow {

// The desktop clipboard as the shell uses it: put one set of formats, look for an image.
class ClipboardWriter {
public:
    virtual ~ClipboardWriter() = default;
    virtual void setMimeData(std::unique_ptr<QMimeData> data) = 0;
    virtual bool hasImage() const = 0;
    // A null image when the clipboard holds none.
    virtual QImage image() const = 0;
};

// Over QGuiApplication::clipboard(); the X11 clipboard is served while the process runs.
class SystemClipboardWriter final : public ClipboardWriter {
public:
    void setMimeData(std::unique_ptr<QMimeData> data) override;
    bool hasImage() const override;
    QImage image() const override;
};

// Keeps the last data in memory: tests, and anywhere the desktop clipboard must not change.
class FakeClipboardWriter final : public ClipboardWriter {
public:
    void setMimeData(std::unique_ptr<QMimeData> data) override
    {
        data_ = std::move(data);
        ++writes;
    }
    bool hasImage() const override { return data_ && data_->hasImage(); }
    QImage image() const override;

    const QMimeData* data() const { return data_.get(); }
    int writes = 0;

private:
    std::unique_ptr<QMimeData> data_;
};

}  // namespace Kestrow
