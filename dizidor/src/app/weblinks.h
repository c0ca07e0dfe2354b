// Web links: opening addresses and documents in the user's browser, building query addresses,
// and the program's two configured links (home page and visit page).
//
// A link definition is one of
//     a plain address                 "https://..."
//     "KEY::" key path "\" value name  the text of that value in the per-user registry
//                                      (app/registry.h), read under HKEY_CURRENT_USER
//     "ENV::" variable name            the value of that environment variable
// The prefixes count only at the very start of the definition.
//
// Opening goes through `xdg-open`, started directly (no shell sees the address) in a process
// group of its own; the call does not wait for the browser. Two switches keep browsers out of
// tests and automated runs:
//     - setURLOpener(fn): every address goes to fn instead (tests record them this way);
//     - the environment variable DBD_OPENURL_LOG set to anything but "" or "0": every address is
//       written to the log as "U: openURL [<address>]" instead of being opened.
//
// Main thread only.
#ifndef DIZIDOR_APP_WEBLINKS_H
#define DIZIDOR_APP_WEBLINKS_H

#include "rir2/rirstring.h"

// The environment switch that turns openURL into a log line (see above).
#define OPENURL_LOG_VARIABLE "DBD_OPENURL_LOG"

// The two link definitions; both start as the product's web page. Made before main runs.
extern RIR::String g_sHomeLink;
extern RIR::String g_sVisitLink;

// Opens pszText (an address, or a file or folder path) with the user's preferred program. Null
// counts as "". Reports nothing when it cannot be opened; "" starts nothing. Finished openers
// of earlier calls are collected on each call.
void openURL(const char* pszText);

// Where openURL hands its text instead of opening it; null (the default) opens for real.
typedef void (*URLOpener)(const char* pszText);
void setURLOpener(URLOpener pfnOpener);

// pszUrl followed by "?" when it holds no "?" yet, else by "&". Null counts as "".
RIR::String appendQuerySeparator(const char* pszUrl);
// A copy of sUrl in which the first "?" stays and every later "?" becomes "&".
RIR::String fixQuerySeparators(const RIR::String& sUrl);

// The address of a "KEY::" definition: the rest after the prefix is split at its last "\" into
// key path and value name (no "\": the value of that name directly under HKEY_CURRENT_USER).
// "" when the value is missing or does not fit in 1023 bytes.
RIR::String readRegistryLink(const char* pszDefinition);
// The address of an "ENV::" definition: the value of the variable named by the rest after the
// prefix; "" when it is unset or 1024 bytes or longer.
RIR::String readEnvLink(const char* pszDefinition);

// Opens the home-page / visit-page link: the definition resolved to an address, pszExtra (when
// not empty) added as a query after the right separator, later "?" turned into "&", then
// openURL. The log gets "U: >oHU" / "U: >oVU" before and "U: <oHU" / "U: <oVU" after.
void openHomeLink(const char* pszExtra);
void openVisitLink(const char* pszExtra);

#endif
