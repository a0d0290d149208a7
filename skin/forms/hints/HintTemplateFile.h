#pragma once
// The hint template file ("AShh"): one template's font and pictures with
// their sizes and draw modes. All integers are 32-bit little-endian.
#include "skin/forms/hints/HintTemplates.h"

enum class THintFileResult { Ok, UnknownFormat, Damaged };

// Empties Stream and writes Template into it.
void WriteHintTemplate(TacHintTemplate& Template, TMemoryStream& Stream);
// Reads a template from the start of Stream into Target (a template
// outside any collection). Every length is checked against the bytes left
// and every picture must decode: a file that is not whole is Damaged, and
// Target is then in no state to be used.
THintFileResult ReadHintTemplate(TMemoryStream& Stream, TacHintTemplate& Target);
