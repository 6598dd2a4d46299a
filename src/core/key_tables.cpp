#include "core/key_tables.h"
