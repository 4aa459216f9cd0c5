#pragma once

namespace Kestrow {

enum class ToastKind { plain, success, warning };

}  // namespace Kestrow
