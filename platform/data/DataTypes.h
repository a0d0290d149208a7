#pragma once
// Names shared by the data-access layer: field types, data-set states,
// provider flags and the options of Locate.
#include <cstdint>

class TDataSet;
class TField;
class TDataSource;
class TDataLink;

enum TFieldType {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftLargeint,
  ftAutoInc,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftMemo,
  ftBlob,
  ftGraphic,
};

enum TFieldKind { fkData, fkCalculated };

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsCalcFields };

// Left, right, centre: the platform's text alignment.
#include "platform/classes/Alignment.h"

enum TProviderFlag : unsigned { pfInUpdate = 1, pfInWhere = 2, pfInKey = 4, pfHidden = 8 };
using TProviderFlags = unsigned;

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

enum TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };

// Identifies one record of an open data set; 0 is no record.
using TBookmark = int64_t;

// Notifications a data set sends to its data sources and their links.
enum TDataEvent {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode,
};
