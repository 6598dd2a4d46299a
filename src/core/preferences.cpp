#include "core/preferences.h"
