// The settings apply step: reads the settings file (offering the migration of
// the previous version's data when there are no settings yet), fills the
// default expense types, runs the write test of the work folder and sets the
// municipality mode. Run at the first activation and after the environment
// settings.
#pragma once
#include <QtGlobal>

// 1 the settings are usable, -1 not (after the messages of the steps).
qint16 SET_APPLY();

// The municipality mode's school-name beginning.
inline const char16_t* const CITY_PREFIX = u"ミレナ市立";
