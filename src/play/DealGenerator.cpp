#include "play/DealGenerator.h"

DealGenerator dealGenerator;
