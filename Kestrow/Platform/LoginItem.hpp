#pragma once

#include <QString>

#include <optional>

namespace Kestrow {

// Starting the application at login. Each change answers with the failure text, or nothing on
// success; callers show `isEnabled()` afterwards, so a switch always shows the real state.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool isEnabled() const = 0;
    virtual std::optional<QString> enable() = 0;
    virtual std::optional<QString> disable() = 0;
};

// The XDG autostart entry <config folder>/autostart/vantrel.desktop, starting `program`.
class XdgLoginItem final : public LoginItem {
public:
    // An empty config folder means $XDG_CONFIG_HOME (or ~/.config); an empty program, this
    // executable.
    explicit XdgLoginItem(QString configFolder = {}, QString program = {});
    bool isEnabled() const override;
    std::optional<QString> enable() override;
    std::optional<QString> disable() override;
    QString entryPath() const;

private:
    QString configFolder_, program_;
};

// For tests: remembers the state, and fails with `failure` when it is set.
class FakeLoginItem final : public LoginItem {
public:
    bool isEnabled() const override { return enabled; }
    std::optional<QString> enable() override { return change(true); }
    std::optional<QString> disable() override { return change(false); }

    bool enabled = false;
    std::optional<QString> failure;

private:
    std::optional<QString> change(bool on) {
        if (failure) return failure;
        enabled = on;
        return std::nullopt;
    }
};

}  // namespace Kestrow
