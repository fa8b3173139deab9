/*
 * quorvane.h - the C interface of the time-and-attendance data library.
 *
 * The library is loaded by the installation's programs. Every function runs on the caller's thread
 * and works on process-wide objects built when the library is loaded, so a program calls it from
 * one thread at a time.
 *
 * Texts go out through caller-supplied buffers as zero-terminated 8-bit text in the Windows ANSI
 * code page (1252). The library does not know a buffer's size: the caller provides one large enough
 * (a path, a caption of at most 30 characters, an item text).
 *
 * Dates and times are doubles counting days since 30 December 1899, the fraction being the time
 * of day. Booleans are one byte, 0 false and 1 true.
 *
 * On 32-bit Windows the functions use __stdcall with undecorated export names.
 */
#ifndef QUORVANE_H
#define QUORVANE_H

#include <stdint.h>

#if defined(_WIN32)
#define QRV_CALL __stdcall
#if defined(QRV_BUILDING_LIBRARY)
#define QRV_API __declspec(dllexport)
#else
#define QRV_API __declspec(dllimport)
#endif
#else
#define QRV_CALL
#if defined(QRV_BUILDING_LIBRARY)
#define QRV_API __attribute__((visibility("default")))
#else
#define QRV_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One byte: 0 false, 1 true. */
typedef unsigned char QrvBool;

/* Days since 30 December 1899; the fraction is the time of day. */
typedef double QrvDateTime;

/* Copies the data folder, ending in the platform's separator unless empty. */
QRV_API void QRV_CALL GetDataPath(char* Buffer);

/* Copies the caption of person free-text field Index (1 to 20); empty when unset. */
QRV_API void QRV_CALL GetPersFrei(int32_t Index, char* Buffer);

/* The badge number offset; -1 when the installation initialises badge numbers itself. */
QRV_API int32_t QRV_CALL GetAuswOffset(void);

/* The configured order offset; 0 when not set. */
QRV_API int32_t QRV_CALL GetAufOffset(void);

/* A person's presence and worked time between Von and Bis. Outputs are 0 on failure. */
QRV_API QrvBool QRV_CALL CalcZeit(int32_t PersNr, QrvDateTime Von, QrvDateTime Bis, double* Zeit1,
                                  double* Zeit2, double* Zeit3, double* Zeit4);

/* Starts the enumeration of a person's day; answers the number of items, 0 on failure. */
QRV_API int32_t QRV_CALL QRVBeginAufTag(int32_t PersNr, QrvDateTime Datum, unsigned char Modus);

/* Hands out item Index (from 0) of the open enumeration. */
QRV_API QrvBool QRV_CALL QRVGetAufTagData(int32_t Index, int32_t* Art, double* Von, double* Bis,
                                          double* Wert, char* Buffer);

/* Ends the enumeration and releases its state. */
QRV_API QrvBool QRV_CALL QRVEndAufTag(void);

/* First start and last end of a person's presence on the day that *Von names. */
QRV_API QrvBool QRV_CALL QRVGetTagVonBis(int32_t PersNr, double* Von, double* Bis,
                                         unsigned char Modus);

#ifdef __cplusplus
}
#endif

#endif /* QUORVANE_H */
