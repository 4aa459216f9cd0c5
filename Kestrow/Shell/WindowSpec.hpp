#pragma once

#include <QSize>
#include <QString>

#include <optional>

namespace Kestrow {

enum class WindowKind { result, settings, onboarding, history, help, about, feedback, sample, columnMapping };

// How one kind of window is made: its title, sizes in points, saved frame and reuse.
struct WindowSpec {
    enum class Reuse { single, replaced, newEachTime };

    const char* title = "";  // untranslated; the result window is titled by its capture
    QSize content;
    QSize minimum;
    std::optional<QSize> maximum;
    const char* autosaveName = nullptr;  // the frame is kept between runs under this name
    Reuse reuse = Reuse::single;

    static WindowSpec of(WindowKind kind);
};

}  // namespace Kestrow
