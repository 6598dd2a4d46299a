#include "core/macros.h"
