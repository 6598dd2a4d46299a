#include "core/key_names.h"
