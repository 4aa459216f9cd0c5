#pragma once

#include "Kestrow/Feedback/FeedbackContext.hpp"
#include "Kestrow/Feedback/FeedbackKind.hpp"
#include "Kestrow/Feedback/FeedbackSender.hpp"

#include <QWidget>

namespace Kestrow::FeedbackWindow {

// A new "Send Feedback" window holding the form, sized and centred, deleted once closed;
// its Cancel closes it. Not yet shown.
QWidget* make(FeedbackKind kind, const FeedbackContext& context, FeedbackSender& sender);

}  // namespace Kestrow::FeedbackWindow
