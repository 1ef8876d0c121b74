#pragma once
// Everything the installer needs of its install script: the element classes, the root,
// and the tagged value reader and writer of its stored form.

#include "setup/script/dos_date_time.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"
#include "setup/script/value_writer.h"
