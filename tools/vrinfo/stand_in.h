// VRInfo.dll, the stand-in for the mail program's own library: the thirteen
// entries the plug-in binds by name (cdecl, the types of plugin/host_link.h),
// and three of its own for the program that loads it (zms-host, the tests).
//
// Answers, as StandInSet(name, value) sets them (the value in parentheses is
// the one after load):
//   "inside"   "1" or "0": what IsZentoroMail returns (1)
//   "mainwnd"  a number, decimal or 0x-hex, cut to 32 bits: what MainWnd
//              returns (0x00010010; zms-host sets its main window's handle)
//   "window"   "main", "grep" or "other": where the calling macro runs;
//              IsZentoroMailMain returns 1 only for "main", IsZentoroMailGrep
//              only for "grep" (main)
//   "account"  the current account that CurrentAccount and
//              ExecAtMain("CurrentAccount") return; a null value makes them
//              return null ("user@example.jp")
//   "folder"   the same for CurrentFolder and ExecAtMain("CurrentFolder")
//              ("受信", the inbox, in code page 932)
//   "version"  a number: what ZentoroMailVersion returns (1)
//   "journal-file"  a file that every journal line is also appended to; null
//              stops it (none)
// StandInSet returns 1, or 0 for an unknown name or an unusable value (which
// changes nothing). Text values are copied.
//
// The journal: one line per call of the thirteen entries, in call order, each
// ending in "\n":
//     Entry(ARG, ARG) = RESULT
// - ARGs are separated by ", "; an entry without arguments shows "()".
// - A text (argument or result) is written by StandInQuote
//   (tools/vrinfo/stand_in_escape.h): `null`, or its bytes between double
//   quotes with \" and \\ for a quote and a backslash, \xNN for the control
//   bytes, code page 932 characters as they are.
// - A 32-bit result is written in decimal (signed). Entries without a result
//   (SetFindPack, StartDoGrep, PushFindPack) have no " = RESULT" part.
// - ExecAtMain shows the entry's name and then that entry's arguments, and the
//   result only where the named entry has one:
//     ExecAtMain("CurrentAccount") = "user@example.jp"
//     ExecAtMain("SetFindPack", "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1")
//     ExecAtMain("StartDoGrep", "user@example.jp", "")
//     ExecAtMain("PushFindPack")
//   A name it does not know reads no further argument and returns 0:
//     ExecAtMain("Nosuch") = 0
// StandInJournal returns the journal since load or since the last
// StandInClearJournal; the text stays valid until the next call of the library.
#pragma once
#include <cstdint>
#include <type_traits>

#include "plugin/host_link.h"

namespace zms::stand_in {

// The stand-in's own entries as the loading program binds them.
using SetFn = int32_t(ZMS_CDECL*)(const char*, const char*);
using JournalFn = const char*(ZMS_CDECL*)();
using ClearJournalFn = void(ZMS_CDECL*)();

}  // namespace zms::stand_in

// Its own entries, as plugin/host_link.h lists the host's (and VRInfo's export
// lists are made from both lists).
#define ZMS_STAND_IN_ENTRIES(X)      \
    X(StandInSet, SetFn)             \
    X(StandInJournal, JournalFn)     \
    X(StandInClearJournal, ClearJournalFn)

// Every entry declared with the type its caller binds it as: a definition that
// differs does not compile.
extern "C" {
#define ZMS_DECLARE_HOST_ENTRY(name, type) std::remove_pointer_t<zms::HostLink::type> name;
ZMS_HOST_ENTRIES(ZMS_DECLARE_HOST_ENTRY)
#undef ZMS_DECLARE_HOST_ENTRY
#define ZMS_DECLARE_OWN_ENTRY(name, type) std::remove_pointer_t<zms::stand_in::type> name;
ZMS_STAND_IN_ENTRIES(ZMS_DECLARE_OWN_ENTRY)
#undef ZMS_DECLARE_OWN_ENTRY
}  // extern "C"
