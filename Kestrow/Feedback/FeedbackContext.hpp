#pragma once

#include "Kestrow/Feedback/FeedbackDraft.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace Kestrow {

// A file-system failure while writing attachments, with the path and the system's reason.
struct FeedbackFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What the caller offers to attach: the capture's image and its current table. The menu,
// the about panel and the help window hand in the empty context.
struct FeedbackContext {
    std::optional<QImage> image;
    std::optional<VozudOzev::Table> table;

    bool hasImage() const { return image && !image->isNull(); }
    bool hasTable() const { return table.has_value(); }

    static inline const QString imageFileName = QStringLiteral("capture.png");
    static inline const QString tableFileName = QStringLiteral("table.csv");

    // The private folder attachments live in: "Vantrel-feedback" in the user's runtime
    // folder when that is private to the user, else in the cache folder. Never the shared
    // temporary folder, where another user could read or redirect what is written.
    static QString attachmentRoot();

    // Writes what the draft ticks and the context holds into a new folder under root (made
    // private on first use): the image first, then the table. Nothing ticked or nothing to
    // attach: no folder, an empty list. Throws FeedbackFileError.
    QStringList writeAttachments(const FeedbackDraft& draft, const QString& root) const;

    // At launch: deletes the root with everything in it, following no link out of it.
    static void purgeStaleAttachments(const QString& root);
    // Deletes the folder of each file, each folder once; failures are ignored.
    static void removeAttachments(const QStringList& files);
};

}  // namespace Kestrow
