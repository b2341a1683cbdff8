#!/usr/bin/python3
"""Writes the winget and Scoop manifests of one release beside its files (scripts/package calls it).

    manifests.py --version 1.1.9.4 --release-url URL --homepage URL \
                 --setup Velquin-1.1.9.4-setup.exe --zip64 ...-win64.zip --zip32 ...-win32.zip --out DIR

Every download URL is the release address and the file's name; the hashes are of the files given.
"""
import argparse
import hashlib
import json
import os

import yaml

IDENTIFIER = "Velquin.Velquin"
WINGET_VERSION = "1.6.0"
SHORT_DESCRIPTION = "A small, fast launcher that replaces the Run box."
DESCRIPTION = (
    "Velquin is a small, fast, native launcher for Windows that replaces the system's Run box: type a program, "
    "document, folder or internet address and Velquin opens it, with a history, suggestions as you type, aliases "
    "and an editor for App Paths."
)
TAGS = ["launcher", "run", "run-box", "hotkey", "productivity", "app-paths"]
# Velquin runs portable when this file sits beside Velquin.exe; Scoop keeps it across updates.
PORTABLE_PROFILE = "Velquin.ini"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def download_url(release_url, path):
    return release_url.rstrip("/") + "/" + os.path.basename(path)


def write_yaml(path, manifest_type, document):
    schema = f"https://aka.ms/winget-manifest.{manifest_type}.{WINGET_VERSION}.schema.json"
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(f"# yaml-language-server: $schema={schema}\n\n")
        yaml.safe_dump(document, file, sort_keys=False, allow_unicode=True, width=1000)


def write_winget(out, args, license_url):
    head = {"PackageIdentifier": IDENTIFIER, "PackageVersion": args.version}
    tail = {"ManifestVersion": WINGET_VERSION}
    os.makedirs(out, exist_ok=True)

    write_yaml(os.path.join(out, f"{IDENTIFIER}.yaml"), "version",
               {**head, "DefaultLocale": "en-US", "ManifestType": "version", **tail})

    url, digest = download_url(args.release_url, args.setup), sha256(args.setup).upper()
    # One installer serves both: it puts the 64-bit build on 64-bit Windows and the 32-bit one elsewhere.
    installers = [{"Architecture": arch, "InstallerUrl": url, "InstallerSha256": digest} for arch in ("x64", "x86")]
    write_yaml(os.path.join(out, f"{IDENTIFIER}.installer.yaml"), "installer", {
        **head,
        "InstallerType": "nullsoft",
        "Scope": "machine",
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        # No InstallLocation: on 64-bit Windows the installer sets its folder itself, after /D.
        "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
        "UpgradeBehavior": "install",
        # The name of the installer's Uninstall key, so winget knows an installed copy as this package.
        "ProductCode": "Velquin",
        # The installer asks for administrator rights itself (RequestExecutionLevel admin).
        "ElevationRequirement": "elevatesSelf",
        "Installers": installers,
        "ManifestType": "installer",
        **tail,
    })

    write_yaml(os.path.join(out, f"{IDENTIFIER}.locale.en-US.yaml"), "defaultLocale", {
        **head,
        "PackageLocale": "en-US",
        "Publisher": "Velquin",
        "PublisherUrl": args.homepage,
        "PackageName": "Velquin",
        "PackageUrl": args.homepage,
        "License": "MIT",
        "LicenseUrl": license_url,
        "Copyright": "Copyright (c) 2026 The Velquin developers",
        "ShortDescription": SHORT_DESCRIPTION,
        "Description": DESCRIPTION,
        "Moniker": "velquin",
        "Tags": TAGS,
        "ManifestType": "defaultLocale",
        **tail,
    })


def write_scoop(out, args, license_url):
    profile = f'"$dir\\{PORTABLE_PROFILE}"'
    manifest = {
        "version": args.version,
        "description": SHORT_DESCRIPTION,
        "homepage": args.homepage,
        "license": {"identifier": "MIT", "url": license_url},
        "architecture": {
            bits: {"url": download_url(args.release_url, zip_path), "hash": sha256(zip_path)}
            for bits, zip_path in (("64bit", args.zip64), ("32bit", args.zip32))
        },
        # Scoop persists a name it does not find as a folder; an empty file makes the copy portable instead.
        "pre_install": f"if (!(Test-Path {profile})) {{ New-Item {profile} -ItemType File | Out-Null }}",
        "bin": "Velquin.exe",
        "shortcuts": [["Velquin.exe", "Velquin"]],
        "persist": PORTABLE_PROFILE,
    }
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "velquin.json"), "w", encoding="utf-8", newline="\n") as file:
        json.dump(manifest, file, indent=4, ensure_ascii=False)
        file.write("\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("version", "release-url", "homepage", "setup", "zip64", "zip32", "out"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    license_url = args.homepage.rstrip("/") + "/blob/main/LICENSE"
    write_winget(os.path.join(args.out, "winget"), args, license_url)
    write_scoop(os.path.join(args.out, "scoop"), args, license_url)


if __name__ == "__main__":
    main()
