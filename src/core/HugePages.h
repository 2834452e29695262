#pragma once
// Asks the kernel to back a large buffer with huge pages where it allows that on request
// (transparent huge pages in "madvise" mode, Debian's default). A text of hundreds of
// megabytes then takes a few hundred page faults instead of a hundred thousand, which on
// a virtual machine cost a third of a clipboard copy. Harmless where it is refused.

#include <cstddef>

namespace HugePages {

void prefer(void* buffer, std::size_t bytes);

} // namespace HugePages
