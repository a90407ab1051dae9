#pragma once

#include <QtGlobal>

// What the browser engine offers differs between the versions the program
// builds with: Qt WebEngine 6.4 (Debian 12), 6.8 and the backported 6.10
// (Debian 13). Each difference is named here once, and the code that depends
// on it asks for the name instead of comparing versions.
//
// Each fact is a macro, as the preprocessor has to leave out the code that
// uses an API the engine lacks, and a function-like one: "#if
// BIDWARDEN_ENGINE_HAS_X()" is an error where this header is not included or
// the name is misspelt, where a plain name would quietly read as 0 and drop a
// duty on the newer engines.
//
// The version compared is Qt's own (QT_VERSION). Debian 13's backported
// engine 6.10 builds against Qt 6.8.2, whose headers say 6.8.2: what came
// after 6.8 is asked of the headers themselves.

// 6.7: the engine asks the browser to show a page's passkey request
// (QWebEnginePage::webAuthUxRequested, QWebEngineWebAuthUxRequest) and waits
// for it. Before 6.7 a page's passkey request is refused at once and nothing
// shows.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
#define BIDWARDEN_ENGINE_HAS_PASSKEY_API() 1
#else
#define BIDWARDEN_ENGINE_HAS_PASSKEY_API() 0
#endif

// 6.7: the print button of the engine's PDF viewer raises printRequested.
// Before 6.7 the program is not told of that button, and only its own Print
// command prints a PDF.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
#define BIDWARDEN_ENGINE_REPORTS_PDF_VIEWER_PRINT() 1
#else
#define BIDWARDEN_ENGINE_REPORTS_PDF_VIEWER_PRINT() 0
#endif

// 6.8: a frame's window.print() comes as printRequestedByFrame with its
// QWebEngineFrame, which prints by itself only into a PDF (printToPdf).
// Before 6.8 every frame's print raises printRequested and the whole page
// prints. The build links Qt's PDF module from the same version on
// (BIDWARDEN_PRINTS_FRAMES_ON_PAPER in the top CMakeLists.txt).
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_HAS_FRAME_PRINT() 1
#else
#define BIDWARDEN_ENGINE_HAS_FRAME_PRINT() 0
#endif

// 6.8: a page asks for a permission through QWebEnginePermission
// (QWebEnginePage::permissionRequested; featurePermissionRequested is
// deprecated there), and a profile keeps the answers on disk unless its
// persistent permissions policy says otherwise. Before 6.8 the page asks
// with featurePermissionRequested.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_HAS_PERMISSION_API() 1
#else
#define BIDWARDEN_ENGINE_HAS_PERMISSION_API() 0
#endif

// 6.8: the profile sends client hints (QWebEngineClientHints), among them the
// brands' full versions (Sec-CH-UA-Full-Version-List,
// userAgentData.getHighEntropyValues()). Before 6.8 the profile has no
// QWebEngineClientHints to set.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_HAS_CLIENT_HINTS() 1
#else
#define BIDWARDEN_ENGINE_HAS_CLIENT_HINTS() 0
#endif

// 6.8: the engine asks about an untrusted certificate also for a frame's or
// a picture's host on a page that has loaded, and tells which
// (QWebEngineCertificateError::isMainFrame). Before 6.8 it asks only for the
// page's own host.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_ASKS_ABOUT_FRAME_CERTIFICATES() 1
#else
#define BIDWARDEN_ENGINE_ASKS_ABOUT_FRAME_CERTIFICATES() 0
#endif

// 6.9 and later (Debian 13's backported 6.10 among them, whose Qt headers
// say 6.8.2, hence the header's presence rather than a version): a profile's
// storage and permissions policy are given as it is made
// (QWebEngineProfileBuilder), and are to stay as made. Read only where the
// engine's headers are on the include path, in the engine library.
#if __has_include(<QWebEngineProfileBuilder>)
#define BIDWARDEN_ENGINE_HAS_PROFILE_BUILDER() 1
#else
#define BIDWARDEN_ENGINE_HAS_PROFILE_BUILDER() 0
#endif

// 6.7: the profile says when clearHttpCache() has finished
// (QWebEngineProfile::clearHttpCacheCompleted). Before 6.7 the engine clears
// the cache in its own time and says nothing.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
#define BIDWARDEN_ENGINE_REPORTS_CACHE_CLEARED() 1
#else
#define BIDWARDEN_ENGINE_REPORTS_CACHE_CLEARED() 0
#endif

// 6.8: the engine gives pages' content to assistive technology (a screen
// reader) whenever the desktop's accessibility is active, unless
// QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY is "0". Before 6.8 it does so only
// where that variable is set (to any value) before the engine starts.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_GIVES_PAGES_TO_ASSISTIVE_TECHNOLOGY() 1
#else
#define BIDWARDEN_ENGINE_GIVES_PAGES_TO_ASSISTIVE_TECHNOLOGY() 0
#endif

// 6.8 and later (Debian 13's 6.8 and backported 6.10, whose headers say
// 6.8.2): a renderer's script heap is not collected while a site's pages
// replace one another, until it is full, unless the engine is given its
// initial size (setScriptHeapSwitch()). 6.4 collects them.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#define BIDWARDEN_ENGINE_NEEDS_SCRIPT_HEAP_START() 1
#else
#define BIDWARDEN_ENGINE_NEEDS_SCRIPT_HEAP_START() 0
#endif
