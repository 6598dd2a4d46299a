#include "core/key_function.h"
