#pragma once
// The browser profile of the editor: persistent, so that the page's local storage (where it
// keeps the unsaved article) survives a restart.

class QObject;
class QWebEngineProfile;

// Stored under the user's data and cache folders (XDG_DATA_HOME, XDG_CACHE_HOME).
QWebEngineProfile* makeEditorProfile(QObject* parent);
