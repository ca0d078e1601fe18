/* The Python module aeonmark: the calls of aeonmark.h as Python functions, an
 * immutable Instant, and exceptions carrying the program's words. Every
 * conversion and every refusal's words are the library's; this file moves
 * values between Python and C, on the stable ABI, for every Python 3.8 on. */
#define PY_SSIZE_T_CLEAN
#define Py_LIMITED_API 0x03080000
#include <Python.h>
#include <structmember.h>

#include <aeonmark.h>
#include <limits.h>
#include <stddef.h>
#include <stdio.h>
#include <string.h>

#define READERS "sjgqu" /* read_as()'s own words: no call of the library names a reader */
#define BAD_READERS "notations read are letters of " READERS

/* One module per process (single-phase initialisation): what it needs. */
static PyObject *Error, *OutOfRange, *InstantType, *one, *million, *billion;
static PyObject *datetime_type, *timedelta_type, *microsecond, *unix_epoch; /* 1970, UTC */

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
 * about (None for none), its message the program's without its name. */
static PyObject *raise_words(PyObject *type, const char *words, PyObject *text) {
    PyObject *error = PyObject_CallFunction(
        type, "N",
        text != NULL ? PyUnicode_FromFormat("%s: %U", words, text) : PyUnicode_FromString(words));
    PyObject *problem = error != NULL ? PyUnicode_FromString(words) : NULL;
    if (problem != NULL && PyObject_SetAttrString(error, "problem", problem) == 0 &&
        PyObject_SetAttrString(error, "text", text != NULL ? text : Py_None) == 0)
        PyErr_SetObject(type, error);
    Py_XDECREF(problem);
    Py_XDECREF(error);
    return NULL;
}

/* Error, or OutOfRange for an instant outside the range. */
static PyObject *raise_problem(aeonmark_problem problem, PyObject *text) {
    return raise_words(problem == AEONMARK_OUT_OF_RANGE ? OutOfRange : Error,
                       aeonmark_problem_text(problem), text);
}

/* In the stable ABI from 3.10, as it was: every CPython 3 exports it, and
 * PyArg's "s#" calls it behind a parser that costs more than a conversion. */
#if Py_LIMITED_API + 0 < 0x030A0000
PyAPI_FUNC(const char *) PyUnicode_AsUTF8AndSize(PyObject *unicode, Py_ssize_t *size);
#endif

/* The UTF-8 of a str where Python keeps it (no copy), NULs and all. A
 * TypeError in Python's words for anything else (format "U:read"); for a
 * lone surrogate UnicodeEncodeError or, when quiet, NULL alone. */
static const char *text_of(PyObject *text, const char *format, Py_ssize_t *length, int quiet) {
    const char *bytes = PyUnicode_Check(text) ? PyUnicode_AsUTF8AndSize(text, length) : NULL;
    if (!PyUnicode_Check(text))
        PyArg_Parse(text, format, &text);
    else if (bytes == NULL && quiet && PyErr_ExceptionMatches(PyExc_UnicodeEncodeError))
        PyErr_Clear();
    if (bytes == NULL) *length = 0;
    return bytes;
}

/* read(), read_as() (notation its letter: another notation's text is not
 * its own) and try_read() (quiet: None for a str that does not read). */
static PyObject *read_text(char notation, PyObject *text, const char *format, int quiet) {
    Py_ssize_t length;
    const char *bytes = text_of(text, format, &length, quiet);
    if (bytes == NULL && PyErr_Occurred()) return NULL;
    aeonmark_instant instant;
    char claimer;
    aeonmark_problem problem = aeonmark_read_n(bytes, (size_t)length, &instant, &claimer);
    if (notation != 0 && claimer != notation) problem = AEONMARK_UNRECOGNISED;
    if (problem == AEONMARK_OK) return new_instant(instant);
    if (quiet) Py_RETURN_NONE;
    return raise_problem(problem, text);
}

/* The letters and digits of write() and convert() (found[1] and found[2])
 * as the library takes them: TypeError for letters that are no str, digits
 * no int; every other mistake a value it refuses in its words (NULL for a
 * NUL, a lone surrogate or, in write(), more than one letter; -1 digits). */
static int arguments_of(PyObject *found[3], const char *format, int single, const char **letters,
                        int *digits) {
    Py_ssize_t length = 1;
    if (found[1] != NULL && (*letters = text_of(found[1], format, &length, 1)) == NULL &&
        PyErr_Occurred())
        return -1;
    if (*letters != NULL && (strlen(*letters) != (size_t)length || (single && length != 1)))
        *letters = NULL;
    Py_ssize_t value = found[2] != NULL ? PyNumber_AsSsize_t(found[2], NULL) : 2; /* clipped */
    if (value == -1 && PyErr_Occurred()) return -1;
    *digits = value >= 0 && value <= INT_MAX ? (int)value : -1;
    return 0;
}

/* The library's line or its words for the call's mistake (its text the
 * letters given): write()'s text, or convert()'s, split at the spaces. */
static PyObject *line_of(aeonmark_instant instant, const char *letters, int digits, PyObject *given,
                         int split) {
    char line[AEONMARK_LINE_MAX];
    size_t length, size;
    aeonmark_problem problem =
        aeonmark_write_line(instant, letters, digits, line, sizeof line, &length);
    if (problem != AEONMARK_OK)
        return raise_problem(problem, problem == AEONMARK_BAD_NOTATIONS ? given : NULL);
    if (!split) return PyUnicode_FromStringAndSize(line, (Py_ssize_t)length);
    Py_ssize_t count = 1;
    for (size_t i = 0; i < length; ++i) count += line[i] == ' ';
    PyObject *texts = PyList_New(count);
    const char *at = line;
    for (Py_ssize_t i = 0; texts != NULL && i < count; ++i, at += size + 1) {
        for (size = 0; at[size] != ' ' && at[size] != '\0';) ++size;
        PyObject *text = PyUnicode_FromStringAndSize(at, (Py_ssize_t)size);
        if (text == NULL || PyList_SetItem(texts, i, text) < 0) Py_CLEAR(texts);
    }
    return texts;
}

/* Unix time of every instant: the floor seconds as an int and *nanoseconds;
 * past INT64_MAX seconds the digits of its Unix text, and the nanoseconds of
 * the same fraction at the first instant. */
static PyObject *unix_time_of(aeonmark_instant instant, uint32_t *nanoseconds) {
    int64_t seconds;
    if (aeonmark_to_unix_ns(instant, &seconds, nanoseconds) == AEONMARK_OK)
        return PyLong_FromLongLong(seconds);
    aeonmark_to_unix_ns((aeonmark_instant){0, instant.fraction}, &seconds, nanoseconds);
    char text[AEONMARK_TEXT_MAX];
    aeonmark_write(instant, 'u', 0, text, sizeof text);
    return PyLong_FromString(text + 1, NULL, 10);
}

/* from_unix() (per_second 1), from_unix_ns() (10**9), from_datetime()
 * (10**6, scale 1000): an int of any size split by Python's floor divmod
 * into seconds and a part of a second, scale times its nanoseconds, for the
 * library's int64 call; past INT64_MAX seconds its Unix reader, which knows
 * where the range ends, with the fraction the same nanoseconds take. */
static PyObject *from_unix_time(PyObject *value, PyObject *per_second, unsigned long scale) {
    PyObject *number = PyNumber_Index(value);
    PyObject *parts = number != NULL ? PyNumber_Divmod(number, per_second) : NULL;
    Py_XDECREF(number);
    if (parts == NULL) return NULL;
    unsigned long part = PyLong_AsUnsignedLong(PyTuple_GetItem(parts, 1));
    int overflow;
    long long whole = PyLong_AsLongLongAndOverflow(PyTuple_GetItem(parts, 0), &overflow);
    unsigned long long big =
        overflow > 0 ? PyLong_AsUnsignedLongLong(PyTuple_GetItem(parts, 0)) : 0;
    Py_DECREF(parts);
    PyErr_Clear(); /* past 2^64 - 1 big is 2^64 - 1, which lies past the last instant too */
    aeonmark_instant instant, past;
    aeonmark_problem problem =
        aeonmark_from_unix_ns(overflow ? 0 : whole, (uint32_t)(part * scale), &instant);
    if (overflow < 0) problem = AEONMARK_OUT_OF_RANGE; /* below INT64_MIN */
    char text[AEONMARK_TEXT_MAX];
    if (problem == AEONMARK_OK && overflow > 0 && snprintf(text, sizeof text, "U%llu", big) > 0 &&
        (problem = aeonmark_read_notation('u', text, &past)) == AEONMARK_OK)
        instant.seconds = past.seconds;
    return problem == AEONMARK_OK ? new_instant(instant) : raise_problem(problem, NULL);
}

/* An int 0 to 2^64 - 1: 0; any other int 1; anything else -1, raised. */
static int unsigned_of(PyObject *object, unsigned long long *value) {
    PyObject *number = PyNumber_Index(object);
    *value = number != NULL ? PyLong_AsUnsignedLongLong(number) : 0;
    Py_XDECREF(number);
    if (!PyErr_Occurred()) return 0;
    if (number == NULL || !PyErr_ExceptionMatches(PyExc_OverflowError)) return -1;
    PyErr_Clear();
    return 1;
}

static PyObject *Instant_new(PyTypeObject *Py_UNUSED(type), PyObject *args, PyObject *kwargs) {
    static char *keywords[] = {"seconds", "fraction", NULL};
    PyObject *seconds, *fraction = NULL;
    unsigned long long whole, units = 0;
    if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O|O:Instant", keywords, &seconds, &fraction))
        return NULL;
    int outside = unsigned_of(seconds, &whole);
    if (outside != 0) return outside < 0 ? NULL : raise_problem(AEONMARK_OUT_OF_RANGE, NULL);
    if (fraction != NULL && (outside = unsigned_of(fraction, &units)) < 0) return NULL;
    if (outside > 0 || units > UINT32_MAX)
        return PyErr_Format(PyExc_ValueError, "fraction must be 0 to 2**32 - 1");
    return new_instant((aeonmark_instant){whole, (uint32_t)units});
}

static void Instant_dealloc(PyObject *self) {
    PyObject *type = (PyObject *)Py_TYPE(self);
    PyObject_Free(self);
    Py_DECREF(type); /* each instance of a heap type holds its type */
}

static PyObject *Instant_repr(PyObject *self) {
    return PyUnicode_FromFormat("aeonmark.Instant(seconds=%llu, fraction=%u)",
                                (unsigned long long)instant_of(self).seconds,
                                (unsigned)instant_of(self).fraction);
}

static Py_hash_t Instant_hash(PyObject *self) {
    aeonmark_instant instant = instant_of(self);
    Py_uhash_t hash = (Py_uhash_t)(instant.seconds * 1000003U ^ instant.fraction);
    return hash == (Py_uhash_t)-1 ? -2 : (Py_hash_t)hash; /* -1 means an error */
}

static PyObject *Instant_richcompare(PyObject *self, PyObject *other, int op) {
    if (!PyObject_TypeCheck(other, (PyTypeObject *)InstantType)) Py_RETURN_NOTIMPLEMENTED;
    Py_RETURN_RICHCOMPARE(aeonmark_compare(instant_of(self), instant_of(other)), 0, op);
}

static PyObject *Instant_reduce(PyObject *self, PyObject *Py_UNUSED(unused)) {
    return Py_BuildValue("O(KI)", InstantType, (unsigned long long)instant_of(self).seconds,
                         (unsigned)instant_of(self).fraction);
}

/* Unix seconds times 10**9 plus nanoseconds, in Python's arithmetic. */
static PyObject *Instant_to_unix_ns(PyObject *self, PyObject *Py_UNUSED(unused)) {
    uint32_t nanoseconds;
    PyObject *seconds = unix_time_of(instant_of(self), &nanoseconds);
    PyObject *whole = seconds != NULL ? PyNumber_Multiply(seconds, billion) : NULL;
    PyObject *part = whole != NULL ? PyLong_FromUnsignedLong(nanoseconds) : NULL;
    PyObject *result = part != NULL ? PyNumber_Add(whole, part) : NULL;
    Py_XDECREF(seconds);
    Py_XDECREF(whole);
    Py_XDECREF(part);
    return result;
}

/* 1970-01-01 UTC plus the Unix seconds and microseconds, by datetime. */
static PyObject *Instant_to_datetime(PyObject *self, PyObject *Py_UNUSED(unused)) {
    int64_t seconds;
    uint32_t nanoseconds;
    PyObject *delta = NULL, *result = NULL;
    if (aeonmark_to_unix_ns(instant_of(self), &seconds, &nanoseconds) == AEONMARK_OK)
        delta = PyObject_CallFunction(timedelta_type, "iLk", 0, (long long)seconds,
                                      (unsigned long)(nanoseconds / 1000)); /* down */
    if (delta != NULL) result = PyNumber_Add(unix_epoch, delta);
    Py_XDECREF(delta);
    if (result == NULL && (!PyErr_Occurred() || PyErr_ExceptionMatches(PyExc_OverflowError)))
        PyErr_SetString(PyExc_OverflowError, "date value out of range"); /* all alike */
    return result;
}

PyDoc_STRVAR(Instant_doc, "Instant(seconds, fraction=0)\n--\n\n"
                          "Whole seconds since 0001-01-01T00:00:00 Julian (0000-12-30T00:00:00\n"
                          "Gregorian), 0 to 2**64 - 1 (OutOfRange), and a part of a second in\n"
                          "2**-32 s, 0 to 2**32 - 1 (ValueError); Unix time 0 is\n"
                          "Instant(62135769600). Immutable, its type too; hashable; ordered.");
PyDoc_STRVAR(to_unix_ns_doc, "to_unix_ns($self, /)\n--\n\n"
                             "The Unix time in nanoseconds, an int of any size, as time.time_ns()\n"
                             "counts them: the part of a second cut, as the writers cut theirs.");
PyDoc_STRVAR(to_datetime_doc,
             "to_datetime($self, /)\n--\n\n"
             "An aware datetime in UTC, the part of a second cut to microseconds;\n"
             "OverflowError, as datetime raises it, outside the years 1 to 9999.");

static PyMemberDef Instant_members[] = {
    {"seconds", T_ULONGLONG, offsetof(InstantObject, instant.seconds), READONLY, "Whole seconds."},
    {"fraction", T_UINT, offsetof(InstantObject, instant.fraction), READONLY, "In 2**-32 s."},
    {NULL, 0, 0, 0, NULL}};

static PyMethodDef Instant_methods[] = {
    {"to_unix_ns", Instant_to_unix_ns, METH_NOARGS, to_unix_ns_doc},
    {"to_datetime", Instant_to_datetime, METH_NOARGS, to_datetime_doc},
    {"__reduce__", Instant_reduce, METH_NOARGS, "For pickle and copy: Instant(seconds, fraction)."},
    {NULL, NULL, 0, NULL}};

static PyType_Slot Instant_slots[] = {{Py_tp_new, (void *)Instant_new},
                                      {Py_tp_dealloc, (void *)Instant_dealloc},
                                      {Py_tp_repr, (void *)Instant_repr},
                                      {Py_tp_hash, (void *)Instant_hash},
                                      {Py_tp_members, Instant_members},
                                      {Py_tp_richcompare, (void *)Instant_richcompare},
                                      {Py_tp_methods, Instant_methods},
                                      {Py_tp_doc, (void *)Instant_doc},
                                      {0, NULL}};

static PyType_Spec Instant_spec = {"aeonmark.Instant", sizeof(InstantObject), 0, Py_TPFLAGS_DEFAULT,
                                   Instant_slots};

/* The type is immutable, as datetime's are, so that no assignment to it
 * (Instant.__hash__ = None) changes every instant: from 3.10 by a flag (the
 * same bit whatever the headers), before by the type's own type. */
static int refuse_setattro(PyObject *Py_UNUSED(type), PyObject *name, PyObject *Py_UNUSED(value)) {
    PyErr_Format(PyExc_TypeError, "cannot set %R attribute of immutable type '%s'", name,
                 Instant_spec.name);
    return -1;
}

static PyType_Slot Immutable_slots[] = {{Py_tp_setattro, (void *)refuse_setattro}, {0, NULL}};

static PyType_Spec Immutable_spec = {"aeonmark.ImmutableType", 0, 0, Py_TPFLAGS_DEFAULT,
                                     Immutable_slots};

static PyObject *immutable_type(PyType_Spec *type_spec, long version) {
    if (version >= 0x030A0000) type_spec->flags |= 1U << 8; /* Py_TPFLAGS_IMMUTABLETYPE */
    PyObject *type = PyType_FromSpec(type_spec);
    if (type == NULL || version >= 0x030A0000) return type;
    PyObject *bases = PyTuple_Pack(1, (PyObject *)&PyType_Type); /* a tuple before 3.10 */
    PyObject *meta = bases != NULL ? PyType_FromSpecWithBases(&Immutable_spec, bases) : NULL;
    Py_XDECREF(bases);
    if (meta == NULL) Py_CLEAR(type);
    if (type != NULL) type->ob_type = (PyTypeObject *)meta; /* which keeps meta's reference */
    return type;
}

/* The calls that pass their one argument on. */
#define PASSING_ON(name, call)                                                                     \
    static PyObject *aeonmark_py_##name(PyObject *Py_UNUSED(module), PyObject *argument) {         \
        return call;                                                                               \
    }
PASSING_ON(read, read_text(0, argument, "U:read", 0))
PASSING_ON(try_read, read_text(0, argument, "U:try_read", 1))
PASSING_ON(from_unix, from_unix_time(argument, one, 0))
PASSING_ON(from_unix_ns, from_unix_time(argument, billion, 1))

static PyObject *aeonmark_py_read_as(PyObject *Py_UNUSED(module), PyObject *args) {
    PyObject *notation, *text;
    if (!PyArg_ParseTuple(args, "UO:read_as", &notation, &text)) return NULL;
    Py_UCS4 letter = PyUnicode_GetLength(notation) == 1 ? PyUnicode_ReadChar(notation, 0) : 0;
    if (letter == 0 || letter > 127 || strchr(READERS, (int)letter) == NULL)
        return raise_words(Error, BAD_READERS, notation);
    return read_text((char)letter, text, "U:read_as", 0);
}

/* The three arguments of write() and convert(): positional ones unpacked
 * without the keyword parser, which costs more than a conversion. */
static int unpack(PyObject *args, PyObject *kwargs, const char *format, char **keywords,
                  PyObject *found[3]) {
    if (kwargs == NULL)
        return PyArg_UnpackTuple(args, strchr(format, ':') + 1, strchr(format, '|') - format, 3,
                                 &found[0], &found[1], &found[2]);
    return PyArg_ParseTupleAndKeywords(args, kwargs, format, keywords, &found[0], &found[1],
                                       &found[2]);
}

static PyObject *aeonmark_py_write(PyObject *Py_UNUSED(module), PyObject *args, PyObject *kwargs) {
    static char *keywords[] = {"instant", "notation", "digits", NULL};
    PyObject *found[3] = {NULL, NULL, NULL};
    const char *letter = NULL;
    int digits;
    if (!unpack(args, kwargs, "OO|O:write", keywords, found)) return NULL;
    if (!PyObject_TypeCheck(found[0], (PyTypeObject *)InstantType))
        return PyErr_Format(PyExc_TypeError, "write() argument 1 must be an aeonmark.Instant");
    if (arguments_of(found, "U:write", 1, &letter, &digits) < 0) return NULL;
    return line_of(instant_of(found[0]), letter, digits, found[1], 0);
}

/* The letters and digits are refused before the text, whatever str it
 * is: the library is asked about them apart only when it does not read. */
static PyObject *aeonmark_py_convert(PyObject *Py_UNUSED(module), PyObject *args,
                                     PyObject *kwargs) {
    static char *keywords[] = {"text", "notations", "digits", NULL};
    PyObject *found[3] = {NULL, NULL, NULL};
    const char *letters = "s";
    int digits;
    Py_ssize_t length;
    if (!unpack(args, kwargs, "O|OO:convert", keywords, found) ||
        arguments_of(found, "U:convert", 0, &letters, &digits) < 0)
        return NULL;
    const char *bytes = text_of(found[0], "U:convert", &length, 0);
    aeonmark_instant instant = {0, 0};
    aeonmark_problem problem = aeonmark_read_n(bytes, (size_t)length, &instant, NULL);
    if (problem != AEONMARK_OK &&
        aeonmark_write_line(instant, letters, digits, NULL, 0, NULL) == AEONMARK_OK)
        return bytes != NULL ? raise_problem(problem, found[0]) : NULL;
    /* A text that is no str is a TypeError first, as in every call; a lone
     * surrogate, a value, gives way to the letters' or the digits' mistake. */
    if (bytes == NULL) {
        if (!PyErr_ExceptionMatches(PyExc_UnicodeEncodeError)) return NULL;
        PyErr_Clear();
    }
    return line_of(instant, letters, digits, found[1], 1);
}

static PyObject *aeonmark_py_to_unix(PyObject *Py_UNUSED(module), PyObject *instant) {
    uint32_t nanoseconds;
    if (!PyObject_TypeCheck(instant, (PyTypeObject *)InstantType))
        return PyErr_Format(PyExc_TypeError, "to_unix() argument must be an aeonmark.Instant");
    return unix_time_of(instant_of(instant), &nanoseconds);
}

/* The microseconds since 1970 UTC by datetime, which applies the offset. */
static PyObject *aeonmark_py_from_datetime(PyObject *Py_UNUSED(module), PyObject *moment) {
    int is_datetime = PyObject_IsInstance(moment, datetime_type);
    PyObject *offset = is_datetime > 0 ? PyObject_CallMethod(moment, "utcoffset", NULL) : NULL;
    if (offset == NULL && is_datetime == 0)
        PyErr_SetString(PyExc_TypeError, "from_datetime() argument must be a datetime.datetime");
    if (offset == NULL) return NULL;
    Py_DECREF(offset);
    if (offset == Py_None)
        return PyErr_Format(PyExc_ValueError, "from_datetime() needs an aware datetime: a naive "
                                              "one names no instant (give it "
                                              "tzinfo=datetime.timezone.utc)");
    PyObject *delta = PyNumber_Subtract(moment, unix_epoch);
    PyObject *count = delta != NULL ? PyNumber_FloorDivide(delta, microsecond) : NULL; /* exact */
    PyObject *instant = count != NULL ? from_unix_time(count, million, 1000) : NULL;
    Py_XDECREF(delta);
    Py_XDECREF(count);
    return instant;
}

static PyObject *aeonmark_py_now(PyObject *Py_UNUSED(module), PyObject *Py_UNUSED(unused)) {
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_now(&instant);
    return problem == AEONMARK_OK ? new_instant(instant) : raise_problem(problem, NULL);
}

PyDoc_STRVAR(read_doc, "read($module, text, /)\n--\n\n"
                       "The Instant that text names, in whichever notation claims it, tried in\n"
                       "the order s j g q u: the command line's verdict for the same argument.\n"
                       "Raises Error (OutOfRange outside the range) when it does not read.");
PyDoc_STRVAR(try_read_doc, "try_read($module, text, /)\n--\n\n"
                           "As read(), but None for a str that does not read:\n\n"
                           "    >>> aeonmark.try_read('2000-02-30') is None\n"
                           "    True");
PyDoc_STRVAR(read_as_doc, "read_as($module, notation, text, /)\n--\n\n"
                          "The Instant that text names in one notation, 's', 'j', 'g', 'q' or\n"
                          "'u' (hexadecimal too): Error 'date format unrecognised' for text of\n"
                          "another, 'notations read are letters of sjgqu' for another str.");
PyDoc_STRVAR(write_doc, "write($module, instant, notation, digits=2)\n--\n\n"
                        "The text of instant in one notation ('s', 'j', 'g', 'q', 'u' or 'x');\n"
                        "digits, 0 to 6, is the number of aeonmark fraction digits ('s' only).\n"
                        "What lies below the last digit is cut, never rounded up.");
PyDoc_STRVAR(convert_doc, "convert($module, text, notations='s', digits=2)\n--\n\n"
                          "The texts of the instant that text names, one for each letter of\n"
                          "notations, in the order s j g q u x, each once, as one line of the\n"
                          "command line; a mistake in notations or digits whatever the text:\n\n"
                          "    >>> aeonmark.convert('U0', 'gj')\n"
                          "    ['1969=12=19T00:00:00', '1970-01-01T00:00:00']");
PyDoc_STRVAR(from_unix_doc, "from_unix($module, seconds, /)\n--\n\n"
                            "The Instant of a Unix time in whole seconds, an int of any size:\n"
                            "OutOfRange before -62135769600 or past 18446744011573782015.");
PyDoc_STRVAR(from_unix_ns_doc, "from_unix_ns($module, nanoseconds, /)\n--\n\n"
                               "The Instant of a Unix time in nanoseconds, as time.time_ns()\n"
                               "counts them, an int of any size, taken up to the next 2**-32 s\n"
                               "as the readers take a part of a second, so that:\n\n"
                               "    >>> aeonmark.from_unix_ns(-1).to_unix_ns()\n"
                               "    -1");
PyDoc_STRVAR(to_unix_doc, "to_unix($module, instant, /)\n--\n\n"
                          "The Unix time of instant in whole seconds, its part of a second\n"
                          "dropped (the floor, as 'u' writes it), an int: every instant has one.");
PyDoc_STRVAR(from_datetime_doc,
             "from_datetime($module, dt, /)\n--\n\n"
             "The Instant of an aware datetime, as from_unix_ns() takes its\n"
             "microseconds: from_datetime(dt).to_datetime() == dt for every dt in UTC.\n"
             "ValueError for a naive datetime, which names no instant.");
PyDoc_STRVAR(now_doc, "now($module, /)\n--\n\n"
                      "The system's real-time clock, in UTC: Error when it cannot be read.");

static PyMethodDef functions[] = {
    {"read", aeonmark_py_read, METH_O, read_doc},
    {"try_read", aeonmark_py_try_read, METH_O, try_read_doc},
    {"read_as", aeonmark_py_read_as, METH_VARARGS, read_as_doc},
    {"write", (PyCFunction)(void (*)(void))aeonmark_py_write, METH_VARARGS | METH_KEYWORDS,
     write_doc},
    {"convert", (PyCFunction)(void (*)(void))aeonmark_py_convert, METH_VARARGS | METH_KEYWORDS,
     convert_doc},
    {"from_unix", aeonmark_py_from_unix, METH_O, from_unix_doc},
    {"from_unix_ns", aeonmark_py_from_unix_ns, METH_O, from_unix_ns_doc},
    {"to_unix", aeonmark_py_to_unix, METH_O, to_unix_doc},
    {"from_datetime", aeonmark_py_from_datetime, METH_O, from_datetime_doc},
    {"now", aeonmark_py_now, METH_NOARGS, now_doc},
    {NULL, NULL, 0, NULL}};

PyDoc_STRVAR(module_doc,
             "Exact conversion of an instant between date notations, by the calls of\n"
             "libaeonmark, the library of the aeonmark command line: every text and every\n"
             "problem is the program's own.\n\n"
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
             "584554049254-11-07T07:00:15 Gregorian, in parts of 2**-32 s, in exact\n"
             "integer arithmetic. Calendar and Unix texts are UTC, whole seconds; the\n"
             "aeonmark and mean-year readers take a part of a second up, writers cut.\n\n"
             "A text that does not read (a NUL is a character no notation takes), or\n"
             "notation letters or digits that the calls do not take, raise Error with\n"
             "the program's words; as Python's own functions do, a value of another type\n"
             "raises TypeError, a lone surrogate UnicodeEncodeError. Every function may\n"
             "be called from any thread.");

static struct PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT, "aeonmark", module_doc, -1, functions, NULL, NULL, NULL, NULL};

PyDoc_STRVAR(Error_doc, "A text that does not read, a value that does not convert, or notation\n"
                        "letters or digits that the calls do not take: problem, the program's\n"
                        "words ('day is out of range'); text, the str read or the letters\n"
                        "given, or None (digits, a number).");
PyDoc_STRVAR(OutOfRange_doc, "A date outside the range, 'date is out of acceptable range': both\n"
                             "an Error and an OverflowError, as datetime raises for a timestamp\n"
                             "it cannot hold.");

/* The datetime objects to_datetime() and from_datetime() use. */
static int import_datetime(void) {
    PyObject *datetime = PyImport_ImportModule("datetime");
    if (datetime == NULL) return -1;
    datetime_type = PyObject_GetAttrString(datetime, "datetime");
    timedelta_type = PyObject_GetAttrString(datetime, "timedelta");
    Py_DECREF(datetime);
    microsecond =
        timedelta_type != NULL ? PyObject_GetAttrString(timedelta_type, "resolution") : NULL;
    unix_epoch = datetime_type != NULL ? PyObject_CallMethod(datetime_type, "fromisoformat", "s",
                                                             "1970-01-01T00:00:00+00:00")
                                       : NULL; /* its tzinfo datetime.timezone.utc */
    return microsecond != NULL && unix_epoch != NULL ? 0 : -1;
}

PyMODINIT_FUNC PyInit_aeonmark(void) {
    /* The stable ABI's file name lets an older Python load the module, whose
     * heap type it would count references to wrongly. */
    PyObject *hexversion = PySys_GetObject("hexversion"); /* borrowed */
    long version = hexversion != NULL ? PyLong_AsLong(hexversion) : 0;
    if (version < 0x03080000)
        return PyErr_Format(PyExc_ImportError, "aeonmark needs Python 3.8 or later");
    if (InstantType == NULL) {
        PyObject *attributes = Py_BuildValue("{sOsO}", "problem", Py_None, "text", Py_None);
        if (attributes == NULL) return NULL;
        Error =
            PyErr_NewExceptionWithDoc("aeonmark.Error", Error_doc, PyExc_ValueError, attributes);
        Py_DECREF(attributes);
        PyObject *bases = Error != NULL ? PyTuple_Pack(2, Error, PyExc_OverflowError) : NULL;
        if (bases == NULL) return NULL;
        OutOfRange = PyErr_NewExceptionWithDoc("aeonmark.OutOfRange", OutOfRange_doc, bases, NULL);
        Py_DECREF(bases);
        one = PyLong_FromLong(1), million = PyLong_FromLong(1000000);
        billion = PyLong_FromLong(1000000000);
        if (OutOfRange == NULL || !one || !million || !billion || import_datetime() < 0 ||
            (InstantType = immutable_type(&Instant_spec, version)) == NULL)
            return NULL;
    }
    PyObject *module = PyModule_Create(&module_def), *objects[] = {InstantType, Error, OutOfRange};
    const char *names[] = {"Instant", "Error", "OutOfRange"};
    for (int i = 0; module != NULL && i < 3; ++i) { /* the module's reference, and the file's */
        Py_INCREF(objects[i]);
        if (PyModule_AddObject(module, names[i], objects[i]) < 0) Py_DECREF(objects[i]);
        if (PyErr_Occurred()) Py_CLEAR(module);
    }
    if (module != NULL && PyModule_AddStringConstant(module, "__version__", aeonmark_version()) < 0)
        Py_CLEAR(module);
    return module;
}
