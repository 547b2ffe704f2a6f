// Message texts of the dialog engine, in one table.
#pragma once

#include <string>

namespace cadhost::dcl {

enum class Msg {
    UnterminatedString,
    UnterminatedComment,
    UnexpectedChar,
    ExpectedName,
    ExpectedColon,
    ExpectedValue,
    ExpectedSemicolon,
    ExpectedBrace,
    ExpectedString,
    UnknownTile,
    InheritanceLoop,
    IncludeLoop,
    FileNotFound,
    NoSuchDialog,
    NotADialog,
    NoSuchFileId,
    NoSuchTile,
    NotAList,
    NotAnImage,
    ListIndex,
    ListNotStarted,
    ListOpen,
    ImageNotStarted,
    BadMode,
    BadListOperation,
    DialogNotStarted,
    DialogGone,
    TileDisabled,
    NotPressable,
    BadRow,
    BadValue,
    UnknownAction,
    MissingArgument,
    NoImages,
    CannotWrite,
    NoInput,
    FileMissing,
    WrongExtension,
    ReplaceQuestion,
    EmptyFileName,
    NoFilesMatch,
    FilesMatching,
    HelpText,
    ImageOpen,
    NestingTooDeep,
    TooManyTiles,
    ActionFailed,
    DialogFailed,
};

const char* text(Msg m);
// "text: detail", the common shape of error messages with a subject.
std::string text(Msg m, const std::string& detail);

}  // namespace cadhost::dcl
