/* A C caller may pass aeonmark_problem_text any int, which C++ cannot name
 * without undefined behaviour: the library test asks through here. */
#include "aeonmark.h"

const char *problem_text_of(int value);

const char *problem_text_of(int value) {
    return aeonmark_problem_text((aeonmark_problem)value);
}
