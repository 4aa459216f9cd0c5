#include "Kestrow/Shell/Log.hpp"

#include <cstdio>
#include <mutex>

namespace Kestrow::Log {

namespace {
std::mutex mutex;
Capture* active = nullptr;
}  // namespace

void line(const QString& text)
{
    const QByteArray bytes = ("Vantrel: " + text + "\n").toUtf8();
    std::lock_guard lock(mutex);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
    if (active)
        active->lines_.append("Vantrel: " + text);
}

Capture::Capture()
{
    std::lock_guard lock(mutex);
    previous_ = active;
    active = this;
}

Capture::~Capture()
{
    std::lock_guard lock(mutex);
    active = previous_;
}

bool Capture::contains(const QString& text) const
{
    std::lock_guard lock(mutex);
    for (const QString& l : lines_)
        if (l.contains(text))
            return true;
    return false;
}

}  // namespace Kestrow::Log
