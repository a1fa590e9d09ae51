// File: platform/table_classes.h
//
// The table classes FA_BASIC, XFA_TPLATE and PM_DBASE: see platform/practice/table_classes.h.
#pragma once

#include "platform/practice/table_classes.h"
