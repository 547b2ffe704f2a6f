// Message texts of the dialog engine.
#include "dcl/messages.h"

namespace cadhost::dcl {

const char* text(Msg m) {
    switch (m) {
    case Msg::UnterminatedString: return "string not closed before end of line";
    case Msg::UnterminatedComment: return "comment not closed before end of file";
    case Msg::UnexpectedChar: return "unexpected character";
    case Msg::ExpectedName: return "expected a tile or attribute name";
    case Msg::ExpectedColon: return "expected ':' after the definition name";
    case Msg::ExpectedValue: return "expected an attribute value";
    case Msg::ExpectedSemicolon: return "expected ';'";
    case Msg::ExpectedBrace: return "expected '{'";
    case Msg::ExpectedString: return "expected a quoted file name";
    case Msg::UnknownTile: return "unknown tile type";
    case Msg::InheritanceLoop: return "tile definitions inherit from each other in a loop";
    case Msg::IncludeLoop: return "files include each other in a loop";
    case Msg::FileNotFound: return "dialog file not found";
    case Msg::NoSuchDialog: return "no dialog of this name in the file";
    case Msg::NotADialog: return "definition is not a dialog";
    case Msg::NoSuchFileId: return "no dialog file loaded under this id";
    case Msg::NoSuchTile: return "no tile with this key";
    case Msg::NotAList: return "tile does not hold a list";
    case Msg::NotAnImage: return "tile is not an image";
    case Msg::ListIndex: return "list index out of range";
    case Msg::ListNotStarted: return "no list is being filled";
    case Msg::ListOpen: return "a list is already being filled";
    case Msg::ImageNotStarted: return "no image is being drawn";
    case Msg::BadMode: return "unknown tile mode";
    case Msg::BadListOperation: return "unknown list operation";
    case Msg::DialogNotStarted: return "dialog has not been started";
    case Msg::DialogGone: return "dialog is no longer open";
    case Msg::TileDisabled: return "tile is disabled";
    case Msg::NotPressable: return "tile cannot be pressed";
    case Msg::BadRow: return "no such row";
    case Msg::BadValue: return "value not allowed for this tile";
    case Msg::UnknownAction: return "unknown dialog action (type help)";
    case Msg::MissingArgument: return "missing argument";
    case Msg::NoImages: return "dialog has no image tiles";
    case Msg::CannotWrite: return "cannot write file";
    case Msg::NoInput: return "no input for the dialog";
    case Msg::FileMissing: return "file not found";
    case Msg::WrongExtension: return "file name must have the extension";
    case Msg::ReplaceQuestion: return "already exists. Replace it? <N>";
    case Msg::EmptyFileName: return "no file name given";
    case Msg::NoFilesMatch: return "no files match";
    case Msg::FilesMatching: return "files matching";
    case Msg::ImageOpen: return "an image is already being drawn";
    case Msg::NestingTooDeep: return "tiles nested too deeply";
    case Msg::TooManyTiles: return "dialog has too many tiles";
    case Msg::ActionFailed: return "action failed";
    case Msg::DialogFailed: return "Dialog failed";
    case Msg::HelpText:
        return "Dialog actions, one a line:\n"
               "  key=value        set a tile as if typed or picked (edit box, toggle 0/1,\n"
               "                   radio button 1, radio group = button key, slider)\n"
               "  key              press a button, image button, toggle or radio button\n"
               "  press key [x y]  the same, with the point picked in an image button\n"
               "  select key N..   pick list rows (0-based; several for multiple_select)\n"
               "  dclick key [N]   double-click a list row or an image button\n"
               "  ok | cancel      press OK / Cancel (closes with 1 / 0 if not bound)\n"
               "  svg FILE [key]   write the dialog's images (or one tile) as SVG\n"
               "  show             show the dialog\n"
               "  help             this text\n"
               "  end              stop giving input; an open dialog is cancelled\n";
    }
    return "?";
}

std::string text(Msg m, const std::string& detail) { return std::string(text(m)) + ": " + detail; }

}  // namespace cadhost::dcl
