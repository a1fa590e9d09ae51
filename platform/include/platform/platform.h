// File: platform/platform.h
//
// Everything the stand-in platform exports. Host programs and the library may include this one
// header, or the headers of the services they use.
#pragma once

#include "platform/accounting_periods.h"
#include "platform/address_services.h"
#include "platform/config.h"
#include "platform/dates.h"
#include "platform/document_services.h"
#include "platform/errors.h"
#include "platform/field_tables.h"
#include "platform/forms.h"
#include "platform/job_services.h"
#include "platform/lbw_string.h"
#include "platform/practice_management.h"
#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "platform/report_printer.h"
#include "platform/resources.h"
#include "platform/rounding.h"
#include "platform/session.h"
#include "platform/store_faults.h"
#include "platform/table_classes.h"
#include "platform/types.h"
#include "platform/uitf40_adjustment.h"
#include "platform/window_services.h"
