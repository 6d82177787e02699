/*
 * burnlet: in-application programming of the boot loader of a VORTAN peripheral
 * (USB 0x04D9:0x8022) through HIDDLL.
 *
 * All state is process-wide; calls must not overlap, except GetTransProgress, which may be
 * read from another thread while a transfer runs.
 *
 * Result codes: 0 success; 254 no device, or a command, status read or data transfer failed;
 * 38 control byte stayed busy; 39 control byte did not clear; 43 verification failed (or
 * option data shorter than 32 bytes); 44 blank check failed; 45 progress word did not
 * arrive. ConnectToWriter may also return the HIDDLL search error code.
 */
#ifndef BURNLET_H
#define BURNLET_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(BURNLET_BUILDING)
#define BURNLET_API __attribute__((visibility("default")))
#else
#define BURNLET_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    BURNLET_OK = 0,
    BURNLET_TRANSFER_FAILED = 254,
    BURNLET_BUSY_TIMEOUT = 38,
    BURNLET_CONTROL_NOT_CLEARED = 39,
    BURNLET_VERIFY_FAILED = 43,
    BURNLET_NOT_BLANK = 44,
    BURNLET_PROGRESS_TIMEOUT = 45
};

BURNLET_API uint32_t ConnectToWriter(void);
BURNLET_API uint32_t DisConnectWriter(void);
BURNLET_API uint32_t GetDeviceInfoCmd(uint8_t *out);
BURNLET_API int32_t GetBootLoaderVersion(uint8_t *out);
BURNLET_API int32_t EntryDownloadMode(void);
BURNLET_API uint32_t EnableFWEN(int32_t enable);
BURNLET_API uint32_t EnableHWSTP(int32_t enable);
BURNLET_API uint32_t SetBCTL_HSBS(uint8_t value);
BURNLET_API int32_t InitialWriteFlashCmd(uint16_t address, uint16_t length, uint8_t area);
BURNLET_API int32_t InitialVerifyFlashCmd(uint16_t address, uint16_t length, uint8_t area);
BURNLET_API int32_t ErasePageFlashCmd(uint16_t address, uint8_t selector);
BURNLET_API int32_t FlashPageUnitCmd(uint8_t unit);
BURNLET_API int32_t ErasePage(uint16_t address, uint8_t selector);
BURNLET_API int32_t Program(uint16_t address, uint16_t length, uint8_t *data, uint8_t area,
                            uint16_t blockSize, int32_t progressBase, int32_t progressSpan,
                            bool verify, bool reportProgress);
BURNLET_API int32_t Verify(uint16_t address, uint16_t length, uint8_t *data, uint8_t area,
                           uint16_t blockSize, int32_t reportProgress, int32_t progressBase,
                           int32_t progressSpan);
BURNLET_API int32_t VerifyPro(uint16_t address, uint16_t length, uint8_t *data, uint16_t blockSize);
BURNLET_API int32_t WriteOption(uint16_t address, uint16_t length, uint8_t *data, uint16_t blockSize);
BURNLET_API int32_t OptVerify(uint16_t address, uint16_t length, uint8_t *data);
BURNLET_API int32_t BlankCheck(uint16_t address, uint16_t length, uint8_t area, uint16_t blockSize);
BURNLET_API uint16_t ProcessEnd(uint16_t expected);
BURNLET_API uint32_t GetTransProgress(void);
BURNLET_API void SetTransProgress(int32_t value);
BURNLET_API void BooltLoader_Reset(void);
BURNLET_API uint32_t SW_Reset(void);

#ifdef __cplusplus
}

/* The two control-byte writers are overloads, so they keep C++ linkage. */
BURNLET_API uint32_t SetBCTL(uint8_t value);
BURNLET_API uint32_t SetBCTL(uint8_t value, uint8_t mask);
#endif

#endif
