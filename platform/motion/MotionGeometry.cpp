#include "platform/motion/MotionGeometry.hpp"
