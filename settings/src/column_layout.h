// Column layouts of the result and costing tables: "NbColumns" and, for each column i,
// "Column<i>", "ColumnAlignment<i>", "ColumnWidth<i>" and "ColumnDefaultWidth<i>" of one
// section. The save writes exactly the keys the load reads.
#pragma once

#include "afxcoll.h"

// Replaces `columns` by new CCorvexColumnInfo objects (the caller owns them).
void LoadColumnLayout(const char* file, const char* section, CObArray& columns);
// Writes "NbDisplayLines", "NbColumns" and every column to the user layer.
void SaveColumnLayout(const char* file, const char* section, int displayLines, const CObArray& columns);
// Deletes the columns and empties the list.
void FreeColumnLayout(CObArray& columns);
