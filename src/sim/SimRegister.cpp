#include "sim/SimRegister.h"
