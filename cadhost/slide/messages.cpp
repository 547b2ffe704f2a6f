// Message texts of the slide module.
#include "slide/messages.h"

namespace cadhost::slide {

const char* text(Msg m) {
    switch (m) {
    case Msg::NotSlide: return "not a slide file";
    case Msg::Truncated: return "slide file ends inside a record";
    case Msg::BadRecord: return "unknown record in slide file";
    case Msg::BadFill: return "malformed solid fill in slide file";
    case Msg::BadSize: return "slide coordinates out of range";
    case Msg::NotLibrary: return "not a slide library";
    case Msg::LibraryTruncated: return "slide library directory points outside the file";
    case Msg::NameTooLong: return "slide name longer than 31 characters";
    case Msg::NameEmpty: return "empty slide name";
    case Msg::DuplicateName: return "slide name appears twice in the library";
    case Msg::NoSuchSlide: return "slide not found in library";
    case Msg::BadSlideName: return "malformed slide name";
    case Msg::CannotRead: return "cannot read slide file";
    }
    return "?";
}

}  // namespace cadhost::slide
