#include "core/language.h"
