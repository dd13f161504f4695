#!/usr/bin/python3
"""Writes the compact space-group reference files of the crystal tests.

Source: the project's shared space-group reference data (spacegroups.json: every setting known
to gemmi 0.5.7 and spglib 2.0.2, cross-checked, with full operation lists, symbols, centring,
crystal systems, point groups, origin shifts, name resolutions and extra Hall symbols).

  settings.tsv   one line per setting of the 530 standard settings
  names.tsv      space-group names and the setting gemmi resolves each to
  hall_extra.tsv Hall symbols outside the table, with their operations or gemmi's error

Operations are written as 12 characters: the rotation row by row ('-' for -1, then '0', '1'),
then the translation in twelfths as three hexadecimal digits (0..b). The list is the full
group (centring and inversion included).

Usage (from this folder):  /usr/bin/python3 makeReferenceData.py <path to spacegroups.json>
"""
import json
import sys

ROT = {-1: '-', 0: '0', 1: '1'}


def op_code(op):
    return ''.join(ROT[v] for v in op[:9]) + ''.join('%x' % v for v in op[9:])


def ops_field(ops):
    return ' '.join(op_code(op) for op in ops)


def main():
    with open(sys.argv[1]) as f:
        doc = json.load(f)
    notes = doc['crosscheck']['spglib_database']['notes']
    spglib_hall = {}
    for n in notes:
        for hm, _ in n.get('gemmi_settings', []):
            spglib_hall[hm] = n['spglib_hall']
    settings = [s for s in doc['settings'] if s['in_itb_530']]
    with open('settings.tsv', 'w') as f:
        f.write('# number\tsetting code\tHall symbol (spglib spelling)\tcrystal system\tpoint group (oriented)'
                '\tcentring\torigin shifts\toperations\ttriplets\n')
        for s in settings:
            hall = spglib_hall.get(s['xhm'], s['hall'])
            f.write('\t'.join([str(s['number']), s['setting_code'], hall, s['crystal_system'],
                               s['point_group_oriented'], s['centring'], str(s['origin_shifts_count']),
                               ops_field(s['ops']), ';'.join(s['triplets_signed'])]) + '\n')
    code_of_xhm = {s['xhm']: s['setting_code'] for s in settings}
    with open('names.tsv', 'w') as f:
        f.write('# input\tnumber\tsetting code (gemmi; "-" for none of the 530, "none" for no answer)\n')
        for n in doc['names']:
            g = n['gemmi']
            if g is None:
                answer = ['0', 'none']
            else:
                answer = [str(g['number']), code_of_xhm.get(g['xhm'], '-')]
            f.write('\t'.join([n['input']] + answer) + '\n')
    with open('hall_extra.tsv', 'w') as f:
        f.write('# Hall symbol\toperations, or "error" when gemmi rejects it\n')
        for h in doc['hall_extra']:
            f.write(h['hall'] + '\t' + ('error' if 'error' in h else ops_field(h['ops'])) + '\n')


if __name__ == '__main__':
    main()
