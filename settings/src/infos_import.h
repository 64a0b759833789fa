// The import of the local information file into the entry store ("INFOSDATA" of the
// settings file).
#pragma once

#include "afxcoll.h"
#include "afxstr.h"

struct InfosImportFiles {
  CString infosFile;     // the local copy of the information file
  CString settingsFile;  // holds the entry store and "INFOSCHECKER"/"LastCheck"
  CString buildStamp;    // entries published up to this date are passed over
};

// Opens the file (a CFileException* when it cannot), sets "LastCheck" to today, stores
// each new entry once, withdraws entries, and lists the picture names to fetch. Lines
// that could damage the settings file are passed over. All changes of the entry store
// go into the settings file in one replacement. Returns whether the file held a line.
bool ImportInfosFile(const InfosImportFiles& files, CStringArray& pictureNames);
