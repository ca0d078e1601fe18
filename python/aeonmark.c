/* The Python module aeonmark: the calls of aeonmark.h as Python functions, an
 * immutable Instant, and exceptions carrying the program's words. Every
 * conversion is the library's; this file only moves values between Python
 * objects and the C interface, on the stable ABI, so one build serves every
 * Python 3 from 3.8 on. */
#define PY_SSIZE_T_CLEAN
#define Py_LIMITED_API 0x03080000
#include <Python.h>

#include <aeonmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define NOTATIONS AEONMARK_NOTATIONS /* the writers, in the order the command line prints them */
#define READERS "sjgqu"              /* 'x' is written only: 'u' reads hexadecimal Unix text */
#define STRING(x) STRING_OF(x)
#define STRING_OF(x) #x
/* The caller's mistakes with notation letters and digits, in the words the
 * other faces give them. */
#define BAD_NOTATIONS "notations are letters of " NOTATIONS
#define BAD_READERS "notations read are letters of " READERS
#define BAD_DIGITS "digits are 0 to " STRING(AEONMARK_DIGITS_MAX)
#define MICROSECONDS_PER_SECOND 1000000
#define FRACTIONS_PER_SECOND 4294967296ULL /* 2^32: the fraction's unit is 2^-32 s */

/* One module per process (single-phase initialisation): the types and the
 * datetime objects it needs live here from import on. */
static PyObject *Error, *OutOfRange, *InstantType;
static PyObject *datetime_type, *timedelta_type, *unix_epoch; /* 1970-01-01T00:00:00+00:00 */

typedef struct {
    PyObject ob_base; /* PyObject_HEAD */
    aeonmark_instant instant;
} InstantObject;

static aeonmark_instant instant_of(PyObject *object) {
    return ((InstantObject *)object)->instant;
}

static PyObject *new_instant(aeonmark_instant instant) {
    InstantObject *self = PyObject_New(InstantObject, (PyTypeObject *)InstantType);
    if (self != NULL) self->instant = instant;
    return (PyObject *)self;
}

/* Raises type, Error or OutOfRange, with the words and the text they are
 * about (None when there was no text); its message is the program's
 * without the program's name. */
static PyObject *raise_words(PyObject *type, const char *words, PyObject *text) {
    PyObject *message =
        text != NULL ? PyUnicode_FromFormat("%s: %U", words, text) : PyUnicode_FromString(words);
    PyObject *error = message != NULL ? PyObject_CallFunctionObjArgs(type, message, NULL) : NULL;
    Py_XDECREF(message);
    if (error == NULL) return NULL;
    PyObject *problem_text = PyUnicode_FromString(words);
    if (problem_text != NULL && PyObject_SetAttrString(error, "problem", problem_text) == 0 &&
        PyObject_SetAttrString(error, "text", text != NULL ? text : Py_None) == 0)
        PyErr_SetObject(type, error);
    Py_XDECREF(problem_text);
    Py_DECREF(error);
    return NULL;
}

/* Error, or OutOfRange for an instant outside the range, with the
 * program's words. */
static PyObject *raise_problem(aeonmark_problem problem, PyObject *text) {
    return raise_words(problem == AEONMARK_OUT_OF_RANGE ? OutOfRange : Error,
                       aeonmark_problem_text(problem), text);
}

/* The notations that letters, a str, names among allowed, one bit each in
 * allowed's order (twice is once). Error with words for no letter, more
 * than most, or any character that is none of allowed, NUL included. */
static int notations_of(PyObject *letters, const char *allowed, const char *words, Py_ssize_t most,
                        unsigned *chosen) {
    Py_ssize_t length = PyUnicode_GetLength(letters);
    *chosen = 0;
    for (Py_ssize_t i = 0; i < length && length <= most; ++i) {
        Py_UCS4 letter = PyUnicode_ReadChar(letters, i);
        const char *at = letter != 0 && letter < 128 ? strchr(allowed, (int)letter) : NULL;
        if (at == NULL) {
            *chosen = 0;
            break;
        }
        *chosen |= 1U << (at - allowed);
    }
    if (*chosen != 0) return 0;
    raise_words(Error, words, letters);
    return -1;
}

/* The one notation's letter that notation, a str, names among allowed. */
static int letter_of(PyObject *notation, const char *allowed, const char *words, char *letter) {
    unsigned chosen;
    if (notations_of(notation, allowed, words, 1, &chosen) < 0) return -1;
    int at = 0;
    while ((chosen >> at & 1U) == 0) ++at;
    *letter = allowed[at];
    return 0;
}

/* The UTF-8 bytes of a str, as Python's own functions take text: TypeError
 * for anything but a str, ValueError for a NUL in it, UnicodeEncodeError for
 * a lone surrogate. format is "s:" and the function's name, for the message. */
static const char *text_of(PyObject *text, const char *format) {
    const char *bytes = NULL;
    return PyArg_Parse(text, format, &bytes) ? bytes : NULL;
}

static PyObject *read_text(char notation, PyObject *text, const char *format) {
    const char *bytes = text_of(text, format);
    if (bytes == NULL) return NULL;
    aeonmark_instant instant;
    aeonmark_problem problem = notation == 0 ? aeonmark_read(bytes, &instant)
                                             : aeonmark_read_notation(notation, bytes, &instant);
    return problem == AEONMARK_OK ? new_instant(instant) : raise_problem(problem, text);
}

static PyObject *write_text(aeonmark_instant instant, char notation, int digits) {
    char text[AEONMARK_TEXT_MAX];
    size_t length = aeonmark_write(instant, notation, digits, text, sizeof text);
    return PyUnicode_FromStringAndSize(text, (Py_ssize_t)length);
}

/* Unix time as a Python int, for every instant: the library's int64 call,
 * and past it the digits of the Unix text it writes. */
static PyObject *unix_seconds_of(aeonmark_instant instant) {
    int64_t seconds;
    if (aeonmark_to_unix(instant, &seconds) == AEONMARK_OK) return PyLong_FromLongLong(seconds);
    char text[AEONMARK_TEXT_MAX];
    aeonmark_write(instant, 'u', 0, text, sizeof text);
    return PyLong_FromString(text + 1, NULL, 10);
}

/* The instant of a Unix time in whole seconds, for any int: the library's
 * int64 call, and past INT64_MAX its Unix reader, which knows where the
 * range ends. Every Unix time below INT64_MIN lies before the first instant.
 * 0, or -1 with an exception set. */
static int instant_of_unix(PyObject *seconds, aeonmark_instant *instant) {
    PyObject *number = PyNumber_Index(seconds);
    if (number == NULL) return -1;
    int overflow;
    long long value = PyLong_AsLongLongAndOverflow(number, &overflow);
    aeonmark_problem problem = AEONMARK_OUT_OF_RANGE;
    if (overflow == 0 && !(value == -1 && PyErr_Occurred())) {
        problem = aeonmark_from_unix(value, instant);
    } else if (overflow > 0) {
        unsigned long long big = PyLong_AsUnsignedLongLong(number);
        if (PyErr_Occurred()) {
            PyErr_Clear(); /* past 2^64 - 1: past the last instant too */
        } else {
            char text[AEONMARK_TEXT_MAX];
            snprintf(text, sizeof text, "U%llu", big);
            problem = aeonmark_read_notation('u', text, instant);
        }
    }
    Py_DECREF(number);
    if (PyErr_Occurred()) return -1;
    if (problem == AEONMARK_OK) return 0;
    raise_problem(problem, NULL);
    return -1;
}

/* ---- Instant ---- */

static PyObject *Instant_new(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
    (void)type;
    static char *keywords[] = {"seconds", "fraction", NULL};
    PyObject *seconds, *fraction = NULL;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O:Instant", keywords, &seconds, &fraction))
        return NULL;
    aeonmark_instant instant = {0, 0};
    PyObject *number = PyNumber_Index(seconds);
    if (number == NULL) return NULL;
    instant.seconds = PyLong_AsUnsignedLongLong(number);
    Py_DECREF(number);
    if (PyErr_Occurred()) {
        if (!PyErr_ExceptionMatches(PyExc_OverflowError)) return NULL;
        PyErr_Clear(); /* below 0 or past 2^64 - 1 */
        return raise_problem(AEONMARK_OUT_OF_RANGE, NULL);
    }
    if (fraction != NULL) {
        number = PyNumber_Index(fraction);
        if (number == NULL) return NULL;
        unsigned long long units = PyLong_AsUnsignedLongLong(number);
        Py_DECREF(number);
        if (PyErr_Occurred()) {
            if (!PyErr_ExceptionMatches(PyExc_OverflowError)) return NULL;
            PyErr_Clear();
            units = FRACTIONS_PER_SECOND;
        }
        if (units >= FRACTIONS_PER_SECOND) {
            PyErr_SetString(PyExc_ValueError, "fraction must be 0 to 2**32 - 1");
            return NULL;
        }
        instant.fraction = (uint32_t)units;
    }
    return new_instant(instant);
}

static void Instant_dealloc(PyObject *self) {
    PyObject *type = (PyObject *)Py_TYPE(self);
    PyObject_Free(self);
    Py_DECREF(type); /* each instance of a heap type holds its type */
}

static PyObject *Instant_seconds(PyObject *self, void *closure) {
    (void)closure;
    return PyLong_FromUnsignedLongLong(instant_of(self).seconds);
}

static PyObject *Instant_fraction(PyObject *self, void *closure) {
    (void)closure;
    return PyLong_FromUnsignedLong(instant_of(self).fraction);
}

static PyObject *Instant_repr(PyObject *self) {
    aeonmark_instant instant = instant_of(self);
    return PyUnicode_FromFormat("aeonmark.Instant(seconds=%llu, fraction=%lu)",
                                (unsigned long long)instant.seconds,
                                (unsigned long)instant.fraction);
}

static Py_hash_t Instant_hash(PyObject *self) {
    aeonmark_instant instant = instant_of(self);
    Py_uhash_t hash = (Py_uhash_t)(instant.seconds * 1000003U ^ instant.fraction);
    return hash == (Py_uhash_t)-1 ? -2 : (Py_hash_t)hash; /* -1 means an error */
}

static PyObject *Instant_richcompare(PyObject *self, PyObject *other, int op) {
    if (!PyObject_TypeCheck(other, (PyTypeObject *)InstantType)) Py_RETURN_NOTIMPLEMENTED;
    aeonmark_instant a = instant_of(self), b = instant_of(other);
    int order = a.seconds != b.seconds ? (a.seconds < b.seconds ? -1 : 1)
                                       : (a.fraction > b.fraction) - (a.fraction < b.fraction);
    int result = op == Py_LT   ? order < 0
                 : op == Py_LE ? order <= 0
                 : op == Py_EQ ? order == 0
                 : op == Py_NE ? order != 0
                 : op == Py_GT ? order > 0
                               : order >= 0;
    return PyBool_FromLong(result);
}

static PyObject *Instant_reduce(PyObject *self, PyObject *unused) {
    (void)unused;
    aeonmark_instant instant = instant_of(self);
    return Py_BuildValue("O(KI)", InstantType, (unsigned long long)instant.seconds,
                         (unsigned int)instant.fraction);
}

/* The datetime is built by Python's own arithmetic, 1970-01-01 UTC plus the
 * Unix seconds and microseconds, so it raises datetime's OverflowError
 * outside the years 1 to 9999. */
static PyObject *Instant_to_datetime(PyObject *self, PyObject *unused) {
    (void)unused;
    aeonmark_instant instant = instant_of(self);
    int64_t seconds;
    if (aeonmark_to_unix(instant, &seconds) != AEONMARK_OK) { /* past INT64_MAX */
        PyErr_SetString(PyExc_OverflowError, "date value out of range");
        return NULL;
    }
    unsigned long microseconds =
        (unsigned long)(instant.fraction * (uint64_t)MICROSECONDS_PER_SECOND >> 32); /* down */
    PyObject *delta =
        PyObject_CallFunction(timedelta_type, "iLk", 0, (long long)seconds, microseconds);
    if (delta == NULL) {
        if (PyErr_ExceptionMatches(PyExc_OverflowError)) /* one message for every such instant */
            PyErr_SetString(PyExc_OverflowError, "date value out of range");
        return NULL;
    }
    PyObject *result = PyNumber_Add(unix_epoch, delta);
    Py_DECREF(delta);
    return result;
}

PyDoc_STRVAR(Instant_doc, "Instant(seconds, fraction=0)\n--\n\n"
                          "An instant: whole seconds since 0001-01-01T00:00:00 of the proleptic\n"
                          "Julian calendar (0000-12-30T00:00:00 Gregorian), 0 to 2**64 - 1, and\n"
                          "the part of a second after them in units of 2**-32 s, 0 to 2**32 - 1.\n"
                          "Unix time 0 is Instant(62135769600).\n\n"
                          "Immutable, and so is the type, as datetime's are; hashable; instants\n"
                          "compare by time. Made by read(), read_as(), from_unix(),\n"
                          "from_datetime() and now(), or from its two numbers, which raises\n"
                          "OutOfRange for seconds outside their range and ValueError for such a\n"
                          "fraction.");
PyDoc_STRVAR(to_datetime_doc,
             "to_datetime($self, /)\n--\n\n"
             "The instant as an aware datetime in UTC (tzinfo datetime.timezone.utc),\n"
             "its part of a second taken down to the microsecond, as the writers\n"
             "never round up. OverflowError, as datetime raises it, outside the\n"
             "years 1 to 9999.");

static PyGetSetDef Instant_getset[] = {
    {"seconds", Instant_seconds, NULL, "Whole seconds since 0001-01-01T00:00:00 Julian.", NULL},
    {"fraction", Instant_fraction, NULL, "Part of a second, in units of 2**-32 s.", NULL},
    {NULL, NULL, NULL, NULL, NULL}};

static PyMethodDef Instant_methods[] = {
    {"to_datetime", Instant_to_datetime, METH_NOARGS, to_datetime_doc},
    {"__reduce__", Instant_reduce, METH_NOARGS, "For pickle and copy: Instant(seconds, fraction)."},
    {NULL, NULL, 0, NULL}};

static PyType_Slot Instant_slots[] = {{Py_tp_new, (void *)Instant_new},
                                      {Py_tp_dealloc, (void *)Instant_dealloc},
                                      {Py_tp_repr, (void *)Instant_repr},
                                      {Py_tp_hash, (void *)Instant_hash},
                                      {Py_tp_richcompare, (void *)Instant_richcompare},
                                      {Py_tp_getset, Instant_getset},
                                      {Py_tp_methods, Instant_methods},
                                      {Py_tp_doc, (void *)Instant_doc},
                                      {0, NULL}};

static PyType_Spec Instant_spec = {"aeonmark.Instant", sizeof(InstantObject), 0, Py_TPFLAGS_DEFAULT,
                                   Instant_slots};

/* The type is immutable, as datetime's are, so that no assignment to it
 * (Instant.__hash__ = None) changes every instant of the process. Python
 * 3.10 has a flag for it, the same bit whatever headers this is built
 * with; before 3.10 the type's own type refuses instead. */
#ifndef Py_TPFLAGS_IMMUTABLETYPE
#define Py_TPFLAGS_IMMUTABLETYPE (1UL << 8)
#endif

static int refuse_setattro(PyObject *type, PyObject *name, PyObject *value) {
    (void)type; /* Instant, the only one of its kind */
    (void)value;
    PyErr_Format(PyExc_TypeError, "cannot set %R attribute of immutable type '%s'", name,
                 Instant_spec.name);
    return -1;
}

static PyType_Slot Immutable_slots[] = {{Py_tp_setattro, (void *)refuse_setattro}, {0, NULL}};

static PyType_Spec Immutable_spec = {"aeonmark.ImmutableType", 0, 0, Py_TPFLAGS_DEFAULT,
                                     Immutable_slots};

static PyObject *immutable_type(PyType_Spec *spec, int minor) {
    if (minor >= 10) {
        spec->flags |= (unsigned)Py_TPFLAGS_IMMUTABLETYPE;
        return PyType_FromSpec(spec);
    }
    PyObject *bases = PyTuple_Pack(1, (PyObject *)&PyType_Type); /* a tuple before 3.10 */
    PyObject *meta = bases != NULL ? PyType_FromSpecWithBases(&Immutable_spec, bases) : NULL;
    Py_XDECREF(bases);
    if (meta == NULL) return NULL;
    PyObject *type = PyType_FromSpec(spec);
    if (type == NULL) {
        Py_DECREF(meta);
        return NULL;
    }
    type->ob_type = (PyTypeObject *)meta; /* which keeps meta's reference */
    return type;
}

/* ---- Functions ---- */

static PyObject *aeonmark_py_read(PyObject *module, PyObject *text) {
    (void)module;
    return read_text(0, text, "s:read");
}

static PyObject *aeonmark_py_read_as(PyObject *module, PyObject *args) {
    (void)module;
    PyObject *notation, *text;
    char letter;
    if (!PyArg_ParseTuple(args, "UO:read_as", &notation, &text) ||
        letter_of(notation, READERS, BAD_READERS, &letter) < 0)
        return NULL;
    return read_text(letter, text, "s:read_as");
}

/* The three arguments of write() and convert(), of which the first
 * `required` must be given: positional ones are unpacked without the
 * keyword parser, which costs more than a conversion. */
static int unpack(PyObject *args, PyObject *kwargs, const char *format, char **keywords,
                  PyObject *found[3]) {
    if (kwargs == NULL)
        return PyArg_UnpackTuple(args, strchr(format, ':') + 1, strchr(format, '|') - format, 3,
                                 &found[0], &found[1], &found[2]);
    return PyArg_ParseTupleAndKeywords(args, kwargs, format, keywords, &found[0], &found[1],
                                       &found[2]);
}

/* digits from its argument, when given: TypeError for anything but an int,
 * Error for any int, however large, outside 0 to AEONMARK_DIGITS_MAX. The
 * Error's text is None: digits are no text. */
static int digits_of(PyObject *argument, int *digits) {
    if (argument == NULL) return 0;
    PyObject *number = PyNumber_Index(argument);
    if (number == NULL) return -1;
    int overflow;
    long value = PyLong_AsLongAndOverflow(number, &overflow);
    Py_DECREF(number);
    if (value == -1 && PyErr_Occurred()) return -1;
    if (overflow == 0 && value >= 0 && value <= AEONMARK_DIGITS_MAX) {
        *digits = (int)value;
        return 0;
    }
    raise_words(Error, BAD_DIGITS, NULL);
    return -1;
}

static PyObject *aeonmark_py_write(PyObject *module, PyObject *args, PyObject *kwargs) {
    (void)module;
    static char *keywords[] = {"instant", "notation", "digits", NULL};
    PyObject *found[3] = {NULL, NULL, NULL}, *notation;
    int digits = 2;
    char letter;
    if (!unpack(args, kwargs, "OO|O:write", keywords, found)) return NULL;
    if (!PyObject_TypeCheck(found[0], (PyTypeObject *)InstantType)) {
        PyErr_SetString(PyExc_TypeError, "write() argument 1 must be an aeonmark.Instant");
        return NULL;
    }
    if (!PyArg_Parse(found[1], "U:write", &notation) ||
        letter_of(notation, NOTATIONS, BAD_NOTATIONS, &letter) < 0 ||
        digits_of(found[2], &digits) < 0)
        return NULL;
    return write_text(instant_of(found[0]), letter, digits);
}

static PyObject *aeonmark_py_convert(PyObject *module, PyObject *args, PyObject *kwargs) {
    (void)module;
    static char *keywords[] = {"text", "notations", "digits", NULL};
    PyObject *found[3] = {NULL, NULL, NULL}, *notations;
    unsigned chosen = 1; /* 's', the first */
    int digits = 2;
    if (!unpack(args, kwargs, "O|OO:convert", keywords, found) ||
        (found[1] != NULL &&
         (!PyArg_Parse(found[1], "U:convert", &notations) ||
          notations_of(notations, NOTATIONS, BAD_NOTATIONS, PY_SSIZE_T_MAX, &chosen) < 0)) ||
        digits_of(found[2], &digits) < 0)
        return NULL;
    const char *bytes = text_of(found[0], "s:convert");
    if (bytes == NULL) return NULL;
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_read(bytes, &instant);
    if (problem != AEONMARK_OK) return raise_problem(problem, found[0]);

    /* In table order, each once, as the command line prints them. */
    Py_ssize_t count = 0;
    for (unsigned rest = chosen; rest != 0; rest &= rest - 1) ++count;
    PyObject *texts = PyList_New(count);
    Py_ssize_t at = 0;
    for (int i = 0; texts != NULL && NOTATIONS[i] != '\0'; ++i) {
        if ((chosen >> i & 1U) == 0) continue;
        PyObject *written = write_text(instant, NOTATIONS[i], digits);
        if (written == NULL || PyList_SetItem(texts, at++, written) < 0) Py_CLEAR(texts);
    }
    return texts;
}

static PyObject *aeonmark_py_from_unix(PyObject *module, PyObject *seconds) {
    (void)module;
    aeonmark_instant instant;
    return instant_of_unix(seconds, &instant) == 0 ? new_instant(instant) : NULL;
}

static PyObject *aeonmark_py_to_unix(PyObject *module, PyObject *instant) {
    (void)module;
    if (!PyObject_TypeCheck(instant, (PyTypeObject *)InstantType)) {
        PyErr_SetString(PyExc_TypeError, "to_unix() argument must be an aeonmark.Instant");
        return NULL;
    }
    return unix_seconds_of(instant_of(instant));
}

/* Seconds and microseconds since 1970-01-01 UTC from datetime's own
 * subtraction, which applies the datetime's UTC offset; the microseconds
 * become 2^-32 s taken up, as the library's readers take a part of a
 * second, so that to_datetime() gives the same datetime back. */
static PyObject *aeonmark_py_from_datetime(PyObject *module, PyObject *moment) {
    (void)module;
    int is_datetime = PyObject_IsInstance(moment, datetime_type);
    if (is_datetime <= 0) {
        if (is_datetime == 0)
            PyErr_SetString(PyExc_TypeError,
                            "from_datetime() argument must be a datetime.datetime");
        return NULL;
    }
    PyObject *offset = PyObject_CallMethod(moment, "utcoffset", NULL);
    if (offset == NULL) return NULL;
    Py_DECREF(offset);
    if (offset == Py_None) {
        PyErr_SetString(PyExc_ValueError,
                        "from_datetime() needs an aware datetime: a naive one names no "
                        "instant (give it tzinfo=datetime.timezone.utc)");
        return NULL;
    }
    PyObject *delta = PyNumber_Subtract(moment, unix_epoch);
    if (delta == NULL) return NULL;
    long parts[3]; /* days, seconds below a day, microseconds below a second */
    const char *names[3] = {"days", "seconds", "microseconds"};
    for (int i = 0; i < 3; ++i) {
        PyObject *part = PyObject_GetAttrString(delta, names[i]);
        parts[i] = part != NULL ? PyLong_AsLong(part) : -1;
        Py_XDECREF(part);
    }
    Py_DECREF(delta);
    if (PyErr_Occurred()) return NULL;
    aeonmark_instant instant;
    aeonmark_problem problem =
        aeonmark_from_unix((int64_t)parts[0] * 86400 + parts[1], &instant); /* |days| < 2^22 */
    if (problem != AEONMARK_OK) return raise_problem(problem, NULL);
    instant.fraction =
        (uint32_t)(((uint64_t)parts[2] * FRACTIONS_PER_SECOND + MICROSECONDS_PER_SECOND - 1) /
                   MICROSECONDS_PER_SECOND); /* < 2^32: microseconds < 10^6 */
    return new_instant(instant);
}

static PyObject *aeonmark_py_now(PyObject *module, PyObject *unused) {
    (void)module;
    (void)unused;
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_now(&instant);
    return problem == AEONMARK_OK ? new_instant(instant) : raise_problem(problem, NULL);
}

PyDoc_STRVAR(read_doc, "read($module, text, /)\n--\n\n"
                       "The Instant that text names, in whichever notation claims it, tried in\n"
                       "the order s j g q u: the command line's verdict for the same argument.\n"
                       "The whole str must be the date, with no space around it. Raises Error\n"
                       "(OutOfRange for a date outside the range) when it does not read.");
PyDoc_STRVAR(read_as_doc,
             "read_as($module, notation, text, /)\n--\n\n"
             "The Instant that text names in one notation ('s', 'j', 'g', 'q' or\n"
             "'u', which also reads hexadecimal Unix text). Raises Error \"date format\n"
             "unrecognised\" for text of another notation, as read() does for text of\n"
             "none, and Error \"notations read are letters of sjgqu\" for any other\n"
             "notation str, 'x' too.");
PyDoc_STRVAR(write_doc, "write($module, instant, notation, digits=2)\n--\n\n"
                        "The text of instant in one notation ('s', 'j', 'g', 'q', 'u' or 'x');\n"
                        "digits, 0 to 6, is the number of aeonmark fraction digits ('s' only).\n"
                        "Every instant has a text in every notation; what lies below the last\n"
                        "digit is cut, never rounded up. Raises Error \"notations are letters\n"
                        "of sjgqux\" for any other notation str, and \"digits are 0 to 6\" for\n"
                        "any other int.");
PyDoc_STRVAR(convert_doc, "convert($module, text, notations='s', digits=2)\n--\n\n"
                          "The texts of the instant that text names, one for each letter of\n"
                          "notations, in the order s j g q u x whatever the order of the letters,\n"
                          "each once, as one line of the command line gives them:\n\n"
                          "    >>> aeonmark.convert('U0', 'gj')\n"
                          "    ['1969=12=19T00:00:00', '1970-01-01T00:00:00']\n\n"
                          "Raises Error as read() does, and as write() does for notations with\n"
                          "no letter or any other character, and for digits.");
PyDoc_STRVAR(from_unix_doc, "from_unix($module, seconds, /)\n--\n\n"
                            "The Instant of a Unix time in whole seconds (an int of any size; no\n"
                            "float). OutOfRange before 0000-12-30T00:00:00 Gregorian\n"
                            "(-62135769600) or past the last instant (18446744011573782015).");
PyDoc_STRVAR(to_unix_doc, "to_unix($module, instant, /)\n--\n\n"
                          "The Unix time of instant in whole seconds, its part of a second\n"
                          "dropped (the floor, as 'u' writes it), as an int: every instant has\n"
                          "one.");
PyDoc_STRVAR(from_datetime_doc,
             "from_datetime($module, dt, /)\n--\n\n"
             "The Instant of an aware datetime (any UTC offset; the years 1 to 9999\n"
             "are datetime's range). Its microseconds are taken up to the next\n"
             "2**-32 s, as the readers take a part of a second, so\n"
             "from_datetime(dt).to_datetime() == dt for every aware dt in UTC.\n"
             "ValueError for a naive datetime, which names no instant.");
PyDoc_STRVAR(now_doc, "now($module, /)\n--\n\n"
                      "The current time from the system's real-time clock, in UTC, with its\n"
                      "part of a second. Raises Error when the clock cannot be read.");

static PyMethodDef functions[] = {
    {"read", aeonmark_py_read, METH_O, read_doc},
    {"read_as", aeonmark_py_read_as, METH_VARARGS, read_as_doc},
    {"write", (PyCFunction)(void (*)(void))aeonmark_py_write, METH_VARARGS | METH_KEYWORDS,
     write_doc},
    {"convert", (PyCFunction)(void (*)(void))aeonmark_py_convert, METH_VARARGS | METH_KEYWORDS,
     convert_doc},
    {"from_unix", aeonmark_py_from_unix, METH_O, from_unix_doc},
    {"to_unix", aeonmark_py_to_unix, METH_O, to_unix_doc},
    {"from_datetime", aeonmark_py_from_datetime, METH_O, from_datetime_doc},
    {"now", aeonmark_py_now, METH_NOARGS, now_doc},
    {NULL, NULL, 0, NULL}};

PyDoc_STRVAR(module_doc,
             "Exact conversion of an instant between date notations.\n\n"
             "A text is read in whichever notation it is written, turned into one exact\n"
             "Instant, and written in any notation, by the calls of libaeonmark, the\n"
             "library of the aeonmark command line: every text and every problem is the\n"
             "program's own.\n\n"
             "    letter  notation                 example (Unix time 0)\n"
             "    s       aeonmark era/count       [-36]9350.00\n"
             "    j       proleptic Julian         1969=12=19T00:00:00\n"
             "    g       proleptic Gregorian      1970-01-01T00:00:00\n"
             "    q       365.2425-day mean year   1970*01*01T14:27:01\n"
             "    u       Unix time, decimal       U0 (read in hexadecimal too)\n"
             "    x       Unix time, hexadecimal   U0x0 (written only)\n\n"
             "    >>> import aeonmark\n"
             "    >>> aeonmark.convert('U0', 'sjgqux')\n"
             "    ['[-36]9350.00', '1969=12=19T00:00:00', '1970-01-01T00:00:00', "
             "'1970*01*01T14:27:01', 'U0', 'U0x0']\n"
             "    >>> aeonmark.write(aeonmark.read('[21]00000.5'), 'g')\n"
             "    '2323-01-01T04:22:58'\n\n"
             "The range is every second from 0000-12-30T00:00:00 to\n"
             "584554049254-11-07T07:00:15 Gregorian, 2**64 seconds, with parts of a\n"
             "second of 2**-32 s. All arithmetic is exact integer arithmetic. Writers\n"
             "cut what lies below their last digit and never round up; the aeonmark and\n"
             "mean-year readers take a part of a second up to the next 2**-32 s, so\n"
             "text written with 6 digits reads back to an instant that writes the same\n"
             "text. Calendar and Unix texts are UTC and read as whole seconds.\n\n"
             "A text that does not read raises Error, a ValueError whose problem is the\n"
             "program's words ('day is out of range') and whose text is the str given;\n"
             "a date outside the range raises OutOfRange, an Error that is also an\n"
             "OverflowError, as datetime raises for a timestamp it cannot hold.\n"
             "Notation letters that name no notation raise Error 'notations are\n"
             "letters of sjgqux', its text the letters, and digits outside 0 to 6\n"
             "Error 'digits are 0 to 6', its text None. As Python's own functions do,\n"
             "a text or letters that are not a str, or digits that are not an int,\n"
             "raise TypeError, and a text with a NUL ValueError, or UnicodeEncodeError\n"
             "when it holds a lone surrogate. Every function may be called from any\n"
             "thread.");

static struct PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT, "aeonmark", module_doc, -1, functions, NULL, NULL, NULL, NULL};

PyDoc_STRVAR(Error_doc, "A text that does not read, a value that does not convert, or notation\n"
                        "letters or digits that the calls do not take.\n\n"
                        "problem: the program's words for it ('day is out of range').\n"
                        "text: the str that was read or the notation letters given, or None\n"
                        "when no str was given (digits, a number).");
PyDoc_STRVAR(OutOfRange_doc, "A date before 0000-12-30T00:00:00 or past\n"
                             "584554049254-11-07T07:00:15 Gregorian: the problem 'date is out\n"
                             "of acceptable range'. Both an Error and an OverflowError.");

/* The datetime objects to_datetime() and from_datetime() use. */
static int import_datetime(void) {
    PyObject *datetime = PyImport_ImportModule("datetime");
    if (datetime == NULL) return -1;
    datetime_type = PyObject_GetAttrString(datetime, "datetime");
    timedelta_type = PyObject_GetAttrString(datetime, "timedelta");
    PyObject *timezone_type = PyObject_GetAttrString(datetime, "timezone");
    PyObject *utc = timezone_type != NULL ? PyObject_GetAttrString(timezone_type, "utc") : NULL;
    if (datetime_type != NULL && utc != NULL)
        unix_epoch = PyObject_CallFunction(datetime_type, "iiiiiiiO", 1970, 1, 1, 0, 0, 0, 0, utc);
    Py_XDECREF(utc);
    Py_XDECREF(timezone_type);
    Py_DECREF(datetime);
    return timedelta_type != NULL && unix_epoch != NULL ? 0 : -1;
}

static int add_object(PyObject *module, const char *name, PyObject *object) {
    Py_XINCREF(object); /* the module's reference; the file keeps its own */
    if (object != NULL && PyModule_AddObject(module, name, object) == 0) return 0;
    Py_XDECREF(object);
    return -1;
}

PyMODINIT_FUNC PyInit_aeonmark(void) {
    /* The stable ABI's file name lets an older Python load the module, whose
     * heap type it would count references to wrongly. */
    int minor = Py_GetVersion()[0] == '3' && Py_GetVersion()[1] == '.'
                    ? (int)strtol(Py_GetVersion() + 2, NULL, 10)
                    : 99;
    if (minor < 8) {
        PyErr_SetString(PyExc_ImportError, "aeonmark needs Python 3.8 or later");
        return NULL;
    }
    if (InstantType == NULL) {
        PyObject *attributes = Py_BuildValue("{sOsO}", "problem", Py_None, "text", Py_None);
        Error = attributes != NULL ? PyErr_NewExceptionWithDoc("aeonmark.Error", Error_doc,
                                                               PyExc_ValueError, attributes)
                                   : NULL;
        Py_XDECREF(attributes);
        PyObject *bases = Error != NULL ? PyTuple_Pack(2, Error, PyExc_OverflowError) : NULL;
        OutOfRange = bases != NULL ? PyErr_NewExceptionWithDoc("aeonmark.OutOfRange",
                                                               OutOfRange_doc, bases, NULL)
                                   : NULL;
        Py_XDECREF(bases);
        if (OutOfRange == NULL || import_datetime() < 0) return NULL;
        InstantType = immutable_type(&Instant_spec, minor);
        if (InstantType == NULL) return NULL;
    }
    PyObject *module = PyModule_Create(&module_def);
    if (module == NULL) return NULL;
    if (add_object(module, "Instant", InstantType) < 0 || add_object(module, "Error", Error) < 0 ||
        add_object(module, "OutOfRange", OutOfRange) < 0 ||
        PyModule_AddStringConstant(module, "__version__", aeonmark_version()) < 0) {
        Py_DECREF(module);
        return NULL;
    }
    return module;
}
