#pragma once

#include "Kestrow/Result/ResultServices.hpp"

#include <QMimeData>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Records what the actions put on the clipboard, which save requests they made, and their
// alerts and toasts; the save path it answers is set by the test (none: cancelled).
struct FakeResultServices {
    std::unique_ptr<QMimeData> clipboard;
    int clipboardWrites = 0;
    std::optional<QString> answerPath;
    std::vector<Kestrow::SaveRequest> requests;
    std::vector<QString> alerts;  // title, then text
    std::vector<QString> toasts;

    Kestrow::ResultServices services()
    {
        Kestrow::ResultServices s;
        s.setClipboard = [this](std::unique_ptr<QMimeData> data) {
            clipboard = std::move(data);
            ++clipboardWrites;
        };
        s.askSavePath = [this](QWidget*, const Kestrow::SaveRequest& request) {
            requests.push_back(request);
            return answerPath;
        };
        s.alert = [this](QWidget*, const QString& title, const QString& text) {
            alerts.push_back(title);
            alerts.push_back(text);
        };
        s.toast = [this](const QString& text) { toasts.push_back(text); };
        return s;
    }
};
