#pragma once

#include <QString>

#include <exception>
#include <string>

namespace Kestrow {

// Why a capture failed, as the capture road's alert shows it.
struct CaptureFailure : std::exception {
    enum class Kind { permission, blank, other };
    Kind kind = Kind::other;
    QString text;  // only for `other`

    static CaptureFailure permission() { return {Kind::permission, {}}; }
    static CaptureFailure blank() { return {Kind::blank, {}}; }
    static CaptureFailure other(QString text) { return {Kind::other, std::move(text)}; }

    CaptureFailure(Kind k, QString t) : kind(k), text(std::move(t)), what_(message().toStdString()) {}

    QString title() const;
    QString message() const;
    const char* what() const noexcept override { return what_.c_str(); }

    // A CaptureFailure as it is; a description mentioning TCC as `permission`; else `other`.
    static CaptureFailure classify(const std::exception& error);

    friend bool operator==(const CaptureFailure& a, const CaptureFailure& b) {
        return a.kind == b.kind && (a.kind != Kind::other || a.text == b.text);
    }

private:
    std::string what_;
};

}  // namespace Kestrow
