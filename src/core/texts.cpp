#include "core/texts.h"
