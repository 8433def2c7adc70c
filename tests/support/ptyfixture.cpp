#include "support/ptyfixture.h"
