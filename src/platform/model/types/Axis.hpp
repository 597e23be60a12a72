// The class Axis of package "Zorvan.metamodel.types" (declared with the
// package's other classes: they refer to each other).
#pragma once

#include <types/Types.hpp>
