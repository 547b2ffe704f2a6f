// Message texts of the slide module, in one table.
#pragma once

namespace cadhost::slide {

enum class Msg {
    NotSlide,
    Truncated,
    BadRecord,
    BadFill,
    BadSize,
    NotLibrary,
    LibraryTruncated,
    NameTooLong,
    NameEmpty,
    DuplicateName,
    NoSuchSlide,
    BadSlideName,
    CannotRead,
};

const char* text(Msg m);

}  // namespace cadhost::slide
